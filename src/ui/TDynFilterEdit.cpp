#include "TDynFilterEdit.h"

TDynFilterEdit::TDynFilterEdit(QWidget *parent) : QLineEdit(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (hasFocus())
            emit OnFilterChange();
    });
    connect(this, &QLineEdit::textEdited, this, [this] {
        if (m_delay > 0)
            m_timer.start(m_delay);
    });
}
