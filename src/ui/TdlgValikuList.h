#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QTableView;
class DataSetModel;

namespace data {
class DataSet;
class Field;
} // namespace data

// The selection dialog: picks one row of a dataset by its key, into a field of the record being
// edited or into a text, optionally under conditions the user may relax.
class TdlgValikuList : public QDialog
{
    Q_OBJECT

public:
    TdlgValikuList(QWidget *owner, QString *resultText, data::Field *targetField, const QString &keyField,
                   data::DataSet *dataSet, const QString &caption);
    ~TdlgValikuList() override;

    void setFilterMode(bool on) { m_filterMode = on; }
    void setBaseCondition(const QString &c) { m_base = c; }
    void setExtraCondition(const QString &c) { m_extra = c; }
    void setFilterOffCaption(const QString &c) { m_filterOffCaption = c; }

    QTableView *grid() const { return m_grid; }
    QCheckBox *filterOff() const { return m_filterOff; }
    // The key of the current row as text.
    QString currentKeyText() const;

    void accept() override;
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Ctrl+S: the dataset in the order of the grid's selected column.
    void sortBySelectedColumn();
    void applyConditions();
    void moveToKey(const QString &keyText);
    void syncGrid();

    QString *m_resultText;
    data::Field *m_target;
    QString m_keyField;
    data::DataSet *m_dataSet;
    bool m_filterMode = false;
    QString m_base;
    QString m_extra;
    QString m_filterOffCaption;
    QTableView *m_grid;
    DataSetModel *m_model;
    QCheckBox *m_filterOff;
    bool m_prepared = false;
};
