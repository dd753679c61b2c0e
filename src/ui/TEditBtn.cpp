#include "TEditBtn.h"

#include "EditButton.h"

TEditBtn::TEditBtn(QWidget *parent) : QLineEdit(parent), m_button(new EditButton(this, [this] { emit OnBtnClick(); })) {}
