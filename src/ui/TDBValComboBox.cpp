#include "TDBValComboBox.h"

#include <QKeyEvent>

#include "data/Field.h"

TDBValComboBox::TDBValComboBox(QWidget *parent) : QComboBox(parent), m_link(this)
{
    setEditable(false);
    connect(&m_link, &DataLink::changed, this, &TDBValComboBox::showValue);
    connect(this, &QComboBox::activated, this, &TDBValComboBox::store);
}

void TDBValComboBox::bind(data::DataSource *source, const QString &fieldName, data::UserInterface *ui)
{
    m_link.setUserInterface(ui);
    m_link.setFieldName(fieldName);
    m_link.setDataSource(source);
}

void TDBValComboBox::setItemsAndValues(const QStringList &items, const QStringList &values)
{
    m_showing = true;
    clear();
    addItems(items);
    m_values = values;
    m_showing = false;
    showValue();
}

void TDBValComboBox::showValue()
{
    if (m_showing)
        return;
    m_showing = true;
    data::Field *f = m_link.field();
    setCurrentIndex(f && !f->isNull() ? static_cast<int>(m_values.indexOf(f->text(false))) : -1);
    setEnabled(!m_readOnly && m_link.canModify());
    m_showing = false;
}

void TDBValComboBox::store(int index)
{
    if (m_showing || m_readOnly)
        return;
    const bool ok = index >= 0 && index < m_values.size() ? m_link.setText(m_values.at(index)) : m_link.clear();
    if (!ok)
        showValue();
}

void TDBValComboBox::mousePressEvent(QMouseEvent *event)
{
    if (m_readOnly || !m_link.edit())
        return;
    QComboBox::mousePressEvent(event);
}

void TDBValComboBox::showPopup()
{
    if (m_readOnly || !m_link.edit())
        return;
    QComboBox::showPopup();
}

void TDBValComboBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        showValue();
        event->accept();
        return;
    }
    // A printable key picks an item: only when the record can be changed.
    if (!event->text().isEmpty() && event->text().at(0).isPrint() && (m_readOnly || !m_link.edit())) {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}
