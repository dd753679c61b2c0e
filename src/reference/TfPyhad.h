#pragma once

#include "ui/TfLk2Vorm01.h"

class TDBEdit;
class TDBEditBtn;

// "Riigipühad": the public holidays, one row per date.
class TfPyhad : public TfLk2Vorm01
{
    Q_OBJECT

public:
    explicit TfPyhad(const WindowContext &context, QWidget *parent = nullptr);

    TDBEditBtn *edKuupaev() const { return m_date; }
    TDBEdit *edPyhaNimi() const { return m_name; }

private:
    TDBEditBtn *m_date;
    TDBEdit *m_name;
};
