#include "TDBMemo.h"

#include "data/Field.h"

TDBMemo::TDBMemo(QWidget *parent) : QPlainTextEdit(parent), m_link(this)
{
    connect(&m_link, &DataLink::changed, this, &TDBMemo::showValue);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_showing)
            m_modified = true;
    });
}

void TDBMemo::bind(data::DataSource *source, const QString &fieldName, data::UserInterface *ui)
{
    m_link.setUserInterface(ui);
    m_link.setFieldName(fieldName);
    m_link.setDataSource(source);
}

void TDBMemo::showValue()
{
    if (m_showing)
        return;
    m_showing = true;
    data::Field *f = m_link.field();
    const QString text = f ? f->text(false) : QString();
    if (text != toPlainText())
        setPlainText(text);
    setReadOnly(!m_link.canModify());
    m_modified = false;
    m_showing = false;
}

bool TDBMemo::updateRecord()
{
    if (!m_modified)
        return true;
    m_modified = false;
    return m_link.setText(toPlainText());
}

void TDBMemo::focusOutEvent(QFocusEvent *event)
{
    updateRecord();
    QPlainTextEdit::focusOutEvent(event);
}
