#include "EnterMovesOn.h"

#include <QKeyEvent>
#include <QWidget>

EnterMovesOn::EnterMovesOn(const QList<QWidget *> &fields, std::function<void()> finish, QObject *owner)
    : QObject(owner)
    , m_finish(std::move(finish))
{
    for (QWidget *w : fields) {
        m_fields << w;
        w->installEventFilter(this);
    }
}

bool EnterMovesOn::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
        (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return QObject::eventFilter(watched, event);
    const qsizetype at = m_fields.indexOf(qobject_cast<QWidget *>(watched));
    if (at < 0)
        return QObject::eventFilter(watched, event);
    // The next field that can take the focus; fields that are read-only for the person are passed by.
    for (qsizetype next = at + 1; next < m_fields.size(); ++next) {
        QWidget *w = m_fields.at(next);
        if (w && w->isEnabled() && w->isVisibleTo(w->window()) && (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    if (m_finish)
        m_finish();
    return true;
}
