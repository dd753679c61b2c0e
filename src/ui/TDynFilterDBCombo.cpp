#include "TDynFilterDBCombo.h"

#include <QKeyEvent>

#include "DataSetModel.h"
#include "data/DataSet.h"

TDynFilterDBCombo::TDynFilterDBCombo(QWidget *parent) : QComboBox(parent)
{
    setEditable(false);
    connect(this, &QComboBox::activated, this, [this] {
        m_keptKey = keyValue();
        emit OnFilterChange();
    });
}

void TDynFilterDBCombo::setList(data::DataSet *list, const QString &keyField, const QString &listField)
{
    m_list = list;
    m_keyField = keyField;
    m_listField = listField;
    if (!list->isActive())
        list->open();
    delete m_model;
    m_model = new DataSetModel(list, this);
    setModel(m_model);
    setModelColumn(std::max(0, m_model->columnOfField(listField)));
    setCurrentIndex(-1);
    // The list is reloaded whenever its table changes; the combo box itself would then show the first
    // row, which would silently become part of the filter. The chosen row is found again by its key.
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        const QSignalBlocker quiet(this);
        setKeyValue(m_keptKey);
    });
}

QString TDynFilterDBCombo::keyValue() const
{
    const int row = currentIndex();
    if (!m_list || row < 0 || row >= m_list->fetchedCount())
        return QString();
    const data::Field *k = m_list->findField(m_keyField);
    return k ? m_list->valueAt(row, k->index()).toString() : QString();
}

void TDynFilterDBCombo::chosen(QString &key, QString &name) const
{
    key = currentText().isEmpty() ? QString() : keyValue();
    name = key.isEmpty() ? QString() : currentText();
}

void TDynFilterDBCombo::setKeyValue(const QString &key)
{
    m_keptKey = key;
    if (!m_list || key.isEmpty()) {
        setCurrentIndex(-1);
        return;
    }
    const data::Field *k = m_list->findField(m_keyField);
    for (int r = 0; k; ++r) {
        if (r >= m_list->fetchedCount() && (m_list->isFullyFetched() || m_list->fetchMore(256) == 0))
            break;
        if (m_list->valueAt(r, k->index()).toString() == key) {
            setCurrentIndex(r);
            return;
        }
    }
    setCurrentIndex(-1);
}

void TDynFilterDBCombo::clearValue()
{
    m_keptKey.clear();
    setCurrentIndex(-1);
    emit OnFilterChange();
}

void TDynFilterDBCombo::showPopup()
{
    if (m_list && m_list->isActive() && m_list->fetchedCount() < 7)
        m_list->fetchMore(7);
    QComboBox::showPopup();
}

void TDynFilterDBCombo::keyPressEvent(QKeyEvent *event)
{
    const bool plain = (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
    if (plain && (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)) {
        clearValue();
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}
