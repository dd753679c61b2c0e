#pragma once

#include <QDialog>
#include <QList>

class QPushButton;
class TDBEdit;

namespace data {
class DataSource;
class TData1;
class UserInterface;
} // namespace data

// "Oma firma andmed": the own company's one row. OK saves what was typed, Cancel or closing drops it.
class TdlgOmaFirmaAndmed : public QDialog
{
    Q_OBJECT

public:
    TdlgOmaFirmaAndmed(data::TData1 *data, data::UserInterface *ui, QWidget *parent = nullptr);

    // Shows the dialog modally; true when OK saved.
    static bool Run(data::TData1 *data, data::UserInterface *ui, QWidget *parent = nullptr);

    // Record controls by field name ("FIRNIMI", ...).
    TDBEdit *edit(const QString &fieldName) const;
    QPushButton *bOK() const { return m_ok; }
    QPushButton *bCancel() const { return m_cancel; }

public slots:
    void bOKClick();

protected:
    void changeEvent(QEvent *event) override;
    void done(int result) override;

private:
    data::UserInterface *m_ui;
    data::DataSource *m_source = nullptr;
    QList<TDBEdit *> m_edits;
    QPushButton *m_ok;
    QPushButton *m_cancel;
};
