#pragma once

#include "contacts/PlannedContactFilter.h"
#include "ui/TfDataListForm1.h"

class QComboBox;
class QToolButton;
class TDynFilterComboBox;
class TDynFilterDBCombo;
class TEditBtn;

// "Planeeritud kontaktid": an agent's work list of plans with the client's address and numbers, by
// planned date and time. Opens a plan, records the contact that fulfils it, shows the client and
// prints the list.
class TfPlaneeritudKontaktid : public TfDataListForm1
{
    Q_OBJECT

public:
    explicit TfPlaneeritudKontaktid(const WindowContext &context, QWidget *parent = nullptr);

    QString ApplyFilter() override;
    QString FilterDescription() override;
    void SetDateRange(const QDate &from, const QDate &to) override;
    contacts::PlannedContactFilterValues panelValues() const;

    // The commands of the window.
    void OpenPlan();
    void RegisterContact();
    void ShowClient();
    void Print();
    // "..." beside the client: the client chosen from the selection list.
    void SelectClient();

    TDynFilterDBCombo *dfdbcAgentKood() const { return m_agent; }
    TDynFilterDBCombo *dfdbcKliKood() const { return m_client; }
    QToolButton *bSelClient() const { return m_selectClient; }
    TDynFilterDBCombo *dfdbcJKontaktLiik() const { return m_type; }
    TDynFilterComboBox *dfcbKokkulepe() const { return m_agreement; }
    TEditBtn *dfeJKontaktKuup() const { return m_from; }
    TEditBtn *dfeJKontaktKuupL() const { return m_to; }
    QComboBox *cbTahtaegVordlus() const { return m_deadlineOp; }
    TEditBtn *dfeJKontaktTahtaeg() const { return m_deadline; }

private:
    void restorePanel(data::DataSet &plans);

    TDynFilterDBCombo *m_agent;
    TDynFilterDBCombo *m_client;
    QToolButton *m_selectClient;
    TDynFilterDBCombo *m_type;
    TDynFilterComboBox *m_agreement;
    TEditBtn *m_from;
    TEditBtn *m_to;
    QComboBox *m_deadlineOp;
    TEditBtn *m_deadline;
};
