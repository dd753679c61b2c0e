#pragma once

#include <QComboBox>
#include <QVariant>

class DataSetModel;

namespace data {
class DataSet;
}

// A filter drop-down over a reference dataset: shows one field of its rows and gives the chosen row's
// key. Choosing, and clearing with Backspace or Delete, report a change.
class TDynFilterDBCombo : public QComboBox
{
    Q_OBJECT

public:
    explicit TDynFilterDBCombo(QWidget *parent = nullptr);

    void setList(data::DataSet *list, const QString &keyField, const QString &listField);
    // The chosen row's key as text; empty with none.
    QString keyValue() const;
    // The choice as a filter condition counts it: the key and the name shown, both empty when the
    // control shows no name.
    void chosen(QString &key, QString &name) const;
    void setKeyValue(const QString &key);
    void clearValue();

signals:
    void OnFilterChange();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showPopup() override;

private:
    data::DataSet *m_list = nullptr;
    DataSetModel *m_model = nullptr;
    QString m_keyField;
    QString m_listField;
    QString m_keptKey;
};
