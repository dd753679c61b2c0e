#include "TDBEditBtn.h"

#include "EditButton.h"

TDBEditBtn::TDBEditBtn(QWidget *parent) : TDBEdit(parent), m_button(new EditButton(this, [this] { emit OnBtnClick(); })) {}
