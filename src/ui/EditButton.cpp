#include "EditButton.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

EditButton::EditButton(QLineEdit *edit, std::function<void()> action)
    : QObject(edit), m_edit(edit), m_button(new QToolButton(edit)), m_action(std::move(action))
{
    m_button->setObjectName(QStringLiteral("btnEdit"));
    m_button->setText(QStringLiteral("..."));
    m_button->setCursor(Qt::ArrowCursor);
    m_button->setFocusPolicy(Qt::NoFocus);
    connect(m_button, &QToolButton::clicked, this, &EditButton::click);
    edit->installEventFilter(this);
    place();
}

void EditButton::setButtonWidth(int width)
{
    m_width = width;
    place();
}

void EditButton::setCaption(const QString &caption)
{
    m_button->setText(caption);
}

void EditButton::place()
{
    QMargins m = m_edit->textMargins();
    m.setRight(m_width);
    m_edit->setTextMargins(m);
    m_button->setGeometry(m_edit->width() - m_width - 1, 1, m_width, std::max(0, m_edit->height() - 2));
}

void EditButton::click()
{
    if (!m_edit->hasFocus())
        m_edit->setFocus();
    if (m_action)
        m_action();
}

bool EditButton::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit) {
        if (event->type() == QEvent::Resize) {
            place();
        } else if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && (key->modifiers() & Qt::ControlModifier)) {
                click();
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}
