#pragma once

#include <QLineEdit>
#include <QTimer>

// The text input of a filter panel. With an update delay, a change is reported that many
// milliseconds after the last key while the edit has the focus.
class TDynFilterEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit TDynFilterEdit(QWidget *parent = nullptr);
    void setUpdateDelay(int milliseconds) { m_delay = milliseconds; }
    int updateDelay() const { return m_delay; }

signals:
    void OnFilterChange();

private:
    QTimer m_timer;
    int m_delay = 0;
};
