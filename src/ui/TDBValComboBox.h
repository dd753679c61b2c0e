#pragma once

#include <QComboBox>
#include <QStringList>

#include "DataLink.h"

// A drop-down list bound to a code field: `Items` are shown, the parallel `Values` are stored. A code
// that is not among the values shows no selection and leaves the field alone until an item is picked.
class TDBValComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit TDBValComboBox(QWidget *parent = nullptr);

    DataLink &link() { return m_link; }
    void bind(data::DataSource *source, const QString &fieldName, data::UserInterface *ui);
    void setItemsAndValues(const QStringList &items, const QStringList &values);
    const QStringList &values() const { return m_values; }
    void setReadOnly(bool on) { m_readOnly = on; showValue(); }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void showPopup() override;

private:
    void showValue();
    void store(int index);

    DataLink m_link;
    QStringList m_values;
    bool m_readOnly = false;
    bool m_showing = false;
};
