#pragma once

#include "clients/ContactPersonFilter.h"
#include "ui/TfDataListForm1.h"

class QToolButton;
class TDynFilterComboBox;
class TDynFilterDBCombo;
class TDynFilterEdit;

// "Kontaktisikute koondtabel": the contact persons of all clients in one list, to find a person
// across clients and start a contact or a plan with them.
class TfKontaktIsikudKoond : public TfDataListForm1
{
    Q_OBJECT

public:
    explicit TfKontaktIsikudKoond(const WindowContext &context, QWidget *parent = nullptr);

    QString ApplyFilter() override;
    clients::ContactPersonFilterValues panelValues() const;

    void ShowClient();
    void RegisterContact();
    void PlanContact();
    // "..." beside the client: the client chosen from the selection list.
    void SelectClient();

    TDynFilterDBCombo *dfdbcAgentKood() const { return m_agent; }
    TDynFilterDBCombo *dfdbcKliKood() const { return m_client; }
    QToolButton *bSelClient() const { return m_selectClient; }
    TDynFilterDBCombo *dfdbcAmet() const { return m_position; }
    TDynFilterComboBox *dfcbKontaktIsikAktiivne() const { return m_personActive; }
    TDynFilterComboBox *dfcbKlientAktiivne() const { return m_clientActive; }
    TDynFilterEdit *dfeKIsikNimi() const { return m_name; }

private:
    void restorePanel(data::DataSet &persons);
    // The current person: its client (0 without one), the client's name, the person's name and code.
    bool currentPerson(int &clientCode, QString &clientName, QString &personName, int &personCode) const;

    TDynFilterDBCombo *m_agent;
    TDynFilterDBCombo *m_client;
    QToolButton *m_selectClient;
    TDynFilterDBCombo *m_position;
    TDynFilterComboBox *m_personActive;
    TDynFilterComboBox *m_clientActive;
    TDynFilterEdit *m_name;
};
