#pragma once

#include "ui/TfLk2Vorm01.h"

class TDBEdit;
class TDBEditBtn;

// "Linnad-vallad": the places, each in its country.
class TfLinnadVallad : public TfLk2Vorm01
{
    Q_OBJECT

public:
    explicit TfLinnadVallad(const WindowContext &context, QWidget *parent = nullptr);

    TDBEdit *edLinnValdKood() const { return m_code; }
    TDBEdit *edLinnValdNimi() const { return m_name; }
    TDBEditBtn *edRiik() const { return m_country; }

    // The "..." beside the country: the list of countries; the chosen one becomes the place's.
    void edRiikBtnClick();

private:
    TDBEdit *m_code;
    TDBEdit *m_name;
    TDBEditBtn *m_country;
};
