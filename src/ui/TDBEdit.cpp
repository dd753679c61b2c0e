#include "TDBEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include "data/DataSet.h"
#include "data/Field.h"

TDBEdit::TDBEdit(QWidget *parent) : QLineEdit(parent), m_link(this)
{
    connect(&m_link, &DataLink::changed, this, &TDBEdit::showValue);
    connect(this, &QLineEdit::textEdited, this, [this] {
        m_modified = true;
        startEditing();
    });
}

void TDBEdit::bind(data::DataSource *source, const QString &fieldName, data::UserInterface *ui)
{
    m_link.setUserInterface(ui);
    m_link.setFieldName(fieldName);
    m_link.setDataSource(source);
}

void TDBEdit::showValue()
{
    if (m_showing)
        return;
    m_showing = true;
    data::Field *f = m_link.field();
    // A formatted number is typed plain: the picture shows only while the edit is left alone.
    const bool formatted = f && !f->displayFormat().isEmpty() && !hasFocus();
    const QString text = f ? f->text(formatted) : QString();
    if (text != this->text())
        setText(text);
    setReadOnly(!m_link.canModify());
    m_modified = false;
    m_showing = false;
}

void TDBEdit::startEditing()
{
    // The first key puts the record into edit, as the user sees from the enabled Save: a refusal (the
    // record is another agent's, the level is too low) comes now, and the key is not taken.
    data::DataSet *ds = m_link.dataSet();
    if (!ds || !ds->isActive() || ds->isEditing())
        return;
    const QString typed = text();
    const int cursor = cursorPosition();
    if (!m_link.edit()) {
        showValue();
        return;
    }
    // Going into edit shows the record again; what was typed stays.
    if (text() != typed) {
        setText(typed);
        setCursorPosition(cursor);
    }
    m_modified = true;
}

bool TDBEdit::updateRecord()
{
    if (!m_modified)
        return true;
    m_modified = false;
    return m_link.setText(text());
}

void TDBEdit::keyPressEvent(QKeyEvent *event)
{
    const bool plain = (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
    if (m_clearingKeys && plain && (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)) {
        if (m_link.canClear())
            m_link.clear();
        event->accept();
        return;
    }
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        updateRecord();
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Escape && m_modified) {
        showValue();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TDBEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    if (!m_modified && m_link.field() && !m_link.field()->displayFormat().isEmpty()) {
        showValue();
        if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason ||
            event->reason() == Qt::ShortcutFocusReason)
            selectAll();
    }
}

void TDBEdit::focusOutEvent(QFocusEvent *event)
{
    updateRecord();
    QLineEdit::focusOutEvent(event);
    if (!m_modified && m_link.field() && !m_link.field()->displayFormat().isEmpty())
        showValue();
}
