#pragma once

#include <QLineEdit>

#include "DataLink.h"

// A single-line edit bound to a field: shows the field's edit text, and writes what was typed
// through the field's text rules when the user presses Enter or leaves the edit. With the clearing
// keys on, Backspace or Delete (without Shift, Ctrl or Alt) empty the field at once — for name fields
// of look-ups, whose key goes with them.
class TDBEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit TDBEdit(QWidget *parent = nullptr);

    DataLink &link() { return m_link; }
    void bind(data::DataSource *source, const QString &fieldName, data::UserInterface *ui);
    void setClearingKeys(bool on) { m_clearingKeys = on; }

    // Writes the typed text to the record now; false when it was refused.
    bool updateRecord();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showValue();

    DataLink m_link;
    bool m_clearingKeys = false;
    void startEditing();

    bool m_modified = false;
    bool m_showing = false;
};
