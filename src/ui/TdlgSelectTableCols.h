#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QListWidget;
class QPushButton;

namespace data {
class DataSet;
}

// Lets the user tick the fields of a dataset to print or export. The choice belongs to the calling
// window: a list of field names that the dialog reads when shown and replaces on OK, in field order
// whatever the order of ticking. Names, not positions, so that the choice survives a dataset that
// reopens with its fields in another order. An optional flag of the caller (e.g. copying to the
// clipboard) is shown as an extra check box.
class TdlgSelectTableCols : public QDialog
{
    Q_OBJECT

public:
    // `flag` may be null: the extra check box stays hidden.
    TdlgSelectTableCols(QWidget *owner, const QString &flagCaption, bool *flag, QStringList &columns,
                        data::DataSet *dataSet, const QString &caption);
    ~TdlgSelectTableCols() override;

    QListWidget *liAllFields() const { return m_list; }
    QPushButton *OKBtn() const { return m_ok; }
    QPushButton *CancelBtn() const { return m_cancel; }
    QCheckBox *cbAdditionalFlag1() const { return m_flagBox; }

    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fill();
    void toggle(int row);

    bool *m_flag;
    QStringList &m_columns;
    data::DataSet *m_dataSet;
    QStringList m_shownFields; // field names of the list's items
    QListWidget *m_list;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    QCheckBox *m_flagBox;
};
