#pragma once

#include <QComboBox>
#include <QStringList>

// A drop-down list of a filter panel: the shown items have parallel values, and the value of the
// selected item is what goes into the condition ("Puudub" may stand for "NULL"). Backspace or Delete
// clears the choice.
class TDynFilterComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit TDynFilterComboBox(QWidget *parent = nullptr);

    void setItemsAndValues(const QStringList &items, const QStringList &values);
    const QStringList &values() const { return m_values; }
    // The value of the selected item; empty with none selected.
    QString value() const;
    void setValue(const QString &value);

signals:
    void OnFilterChange();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QStringList m_values;
};
