#include "TDBLookupComboBox.h"

#include <QKeyEvent>

#include "DataSetModel.h"
#include "data/DataSet.h"
#include "data/Field.h"

TDBLookupComboBox::TDBLookupComboBox(QWidget *parent) : QComboBox(parent), m_link(this)
{
    setEditable(false);
    connect(&m_link, &DataLink::changed, this, &TDBLookupComboBox::showValue);
    connect(this, &QComboBox::activated, this, &TDBLookupComboBox::store);
}

void TDBLookupComboBox::bind(data::DataSource *source, const QString &fieldName, data::UserInterface *ui)
{
    m_link.setUserInterface(ui);
    m_link.setFieldName(fieldName);
    m_link.setDataSource(source);
}

void TDBLookupComboBox::setList(data::DataSet *list, const QString &keyField, const QString &listField)
{
    m_list = list;
    m_listKey = keyField;
    m_listField = listField;
    m_showing = true;
    delete m_model;
    m_model = new DataSetModel(list, this);
    setModel(m_model);
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        setModelColumn(std::max(0, m_model->columnOfField(m_listField)));
        showValue();
    });
    if (!list->isActive())
        list->open();
    setModelColumn(std::max(0, m_model->columnOfField(listField)));
    m_showing = false;
    showValue();
}

QString TDBLookupComboBox::keyFieldName() const
{
    data::Field *f = m_link.field();
    if (f && f->kind() == data::Field::Kind::Lookup && !f->keyFields().isEmpty())
        return f->keyFields().split(QLatin1Char(';')).first().trimmed();
    return m_link.fieldName();
}

int TDBLookupComboBox::rowOfKey(const QVariant &key) const
{
    if (!m_list || !m_list->isActive() || !key.isValid() || key.isNull())
        return -1;
    const data::Field *k = m_list->findField(m_listKey);
    if (!k)
        return -1;
    const QString wanted = key.toString();
    for (int r = 0;; ++r) {
        if (r >= m_list->fetchedCount() && (m_list->isFullyFetched() || m_list->fetchMore(256) == 0))
            return -1;
        if (m_list->valueAt(r, k->index()).toString() == wanted)
            return r;
    }
}

void TDBLookupComboBox::showValue()
{
    if (m_showing)
        return;
    m_showing = true;
    data::DataSet *ds = m_link.dataSet();
    data::Field *key = ds && ds->isActive() ? ds->findField(keyFieldName()) : nullptr;
    setCurrentIndex(key ? rowOfKey(key->value()) : -1);
    setEnabled(!m_readOnly && m_link.canModify());
    m_showing = false;
}

void TDBLookupComboBox::store(int row)
{
    if (m_showing || m_readOnly || !m_list)
        return;
    const data::Field *k = m_list->findField(m_listKey);
    if (!k || row < 0) {
        m_link.clear();
        return;
    }
    const QVariant key = m_list->valueAt(row, k->index());
    data::DataSet *ds = m_link.dataSet();
    if (!ds || !m_link.edit())
        return;
    const QString target = keyFieldName();
    if (!m_link.guard([ds, &target, &key] { ds->field(target).setValue(key); }))
        showValue();
}

void TDBLookupComboBox::showPopup()
{
    if (m_readOnly || !m_link.edit())
        return;
    // An open list shows a screenful of rows, not the few that have arrived.
    if (m_list && m_list->isActive() && m_list->fetchedCount() < DropDownCount)
        m_list->fetchMore(DropDownCount);
    QComboBox::showPopup();
}

void TDBLookupComboBox::keyPressEvent(QKeyEvent *event)
{
    const bool plain = (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
    if (plain && (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)) {
        if (!m_readOnly)
            m_link.clear();
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}
