#pragma once

#include <memory>

#include <QDialog>

namespace data {
class UserInterface;
}

// A modal dialog that reads what it shows from the database each time it is shown. Values that could
// not be read must not be offered for storing: a failed read closes the dialog and the error goes on
// to the program's handler. Coming back from the task bar is no new showing: what the user typed stays.
class FilledDialog : public QDialog
{
    Q_OBJECT

public:
    // Without a user interface the dialog speaks through the program's message boxes.
    FilledDialog(data::UserInterface *ui, QWidget *parent);
    ~FilledDialog() override;

protected:
    data::UserInterface *ui() const { return m_ui; }
    virtual void fill() = 0;
    void showEvent(QShowEvent *event) override;

private:
    data::UserInterface *m_ui;
    std::unique_ptr<data::UserInterface> m_ownUi;
};
