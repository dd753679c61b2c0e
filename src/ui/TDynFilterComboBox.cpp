#include "TDynFilterComboBox.h"

#include <QKeyEvent>

TDynFilterComboBox::TDynFilterComboBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(false);
    connect(this, &QComboBox::currentIndexChanged, this, [this] { emit OnFilterChange(); });
}

void TDynFilterComboBox::setItemsAndValues(const QStringList &items, const QStringList &values)
{
    const QSignalBlocker quiet(this);
    clear();
    addItems(items);
    m_values = values;
    setCurrentIndex(-1);
}

QString TDynFilterComboBox::value() const
{
    const int i = currentIndex();
    return i >= 0 && i < m_values.size() ? m_values.at(i) : QString();
}

void TDynFilterComboBox::setValue(const QString &value)
{
    setCurrentIndex(value.isEmpty() ? -1 : static_cast<int>(m_values.indexOf(value)));
}

void TDynFilterComboBox::keyPressEvent(QKeyEvent *event)
{
    const bool plain = (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
    if (plain && (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)) {
        setCurrentIndex(-1);
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}
