#pragma once

#include <QLineEdit>

class EditButton;

// An edit with a button inside its right edge (filter panels, dialogs).
class TEditBtn : public QLineEdit
{
    Q_OBJECT

public:
    explicit TEditBtn(QWidget *parent = nullptr);
    EditButton &editButton() const { return *m_button; }

signals:
    void OnBtnClick();

private:
    EditButton *m_button;
};
