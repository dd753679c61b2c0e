#pragma once

#include "ui/TfLk2Vorm01.h"

class TDBEdit;
class TDBEditBtn;

// "Max müük ja minutid" (menu "Tööplaani seadistused"): from which date how many contact minutes a
// period asks of an agent, and the sales that free the agent of them.
class TfAgMinutMaxMyyk : public TfLk2Vorm01
{
    Q_OBJECT

public:
    explicit TfAgMinutMaxMyyk(const WindowContext &context, QWidget *parent = nullptr);

    TDBEditBtn *edAlatesKuupaevast() const { return m_date; }
    TDBEdit *edMinutid() const { return m_minutes; }
    TDBEdit *edMaxMyyk() const { return m_maxSales; }

    // The "..." of the start date: the calendar on the typed date; the chosen one goes into the edit.
    void edAlatesKuupaevastBtnClick();

private:
    TDBEditBtn *m_date;
    TDBEdit *m_minutes;
    TDBEdit *m_maxSales;
};
