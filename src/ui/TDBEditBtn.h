#pragma once

#include "TDBEdit.h"

class EditButton;

// A data-bound edit with a button inside its right edge: the pickers of code fields and the calendar
// of date fields.
class TDBEditBtn : public TDBEdit
{
    Q_OBJECT

public:
    explicit TDBEditBtn(QWidget *parent = nullptr);
    EditButton &editButton() const { return *m_button; }

signals:
    void OnBtnClick();

private:
    EditButton *m_button;
};
