#pragma once

#include <QComboBox>

#include "DataLink.h"

class DataSetModel;

// A drop-down bound to a key field (or a look-up field, whose key is used) that lists the rows of a
// reference dataset by one of its fields and stores the chosen row's key. Backspace or Delete clears
// the key.
class TDBLookupComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit TDBLookupComboBox(QWidget *parent = nullptr);

    DataLink &link() { return m_link; }
    void bind(data::DataSource *source, const QString &fieldName, data::UserInterface *ui);
    // The reference list: its key field (matched against the bound field) and the field shown.
    void setList(data::DataSet *list, const QString &keyField, const QString &listField);
    void setReadOnly(bool on) { m_readOnly = on; showValue(); }
    // Rows the open list shows at least (fetched on opening when fewer have arrived).
    static constexpr int DropDownCount = 7;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showPopup() override;

private:
    void showValue();
    void store(int row);
    QString keyFieldName() const;
    int rowOfKey(const QVariant &key) const;

    DataLink m_link;
    data::DataSet *m_list = nullptr;
    DataSetModel *m_model = nullptr;
    QString m_listKey;
    QString m_listField;
    bool m_readOnly = false;
    bool m_showing = false;
};
