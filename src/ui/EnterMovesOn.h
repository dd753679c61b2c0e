#pragma once

#include <functional>

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

// Enter in a field of a form moves to the next field; only Enter in the last one finishes the form.
// The key never reaches the dialog, so a default button cannot take the form before its last field.
class EnterMovesOn : public QObject
{
    Q_OBJECT

public:
    // The fields in their order; `finish` runs on Enter in the last one. Lives as long as `owner`.
    EnterMovesOn(const QList<QWidget *> &fields, std::function<void()> finish, QObject *owner);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QPointer<QWidget>> m_fields;
    std::function<void()> m_finish;
};
