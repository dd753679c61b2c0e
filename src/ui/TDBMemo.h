#pragma once

#include <QPlainTextEdit>

#include "DataLink.h"

// A multi-line edit bound to a memo field: the whole text, written when the user leaves the edit.
class TDBMemo : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TDBMemo(QWidget *parent = nullptr);

    DataLink &link() { return m_link; }
    void bind(data::DataSource *source, const QString &fieldName, data::UserInterface *ui);
    bool updateRecord();

protected:
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showValue();

    DataLink m_link;
    bool m_modified = false;
    bool m_showing = false;
};
