#pragma once

#include "contacts/ContactFilter.h"
#include "ui/TfDataListForm1.h"

class QToolButton;
class TDynFilterComboBox;
class TDynFilterDBCombo;
class TEditBtn;

// "Toimunud kontaktid": the recorded contacts, the lines of mass offers among them, narrowed by
// eight criteria. Read-only; opens a contact or its client.
class TfKontaktidKoond : public TfDataListForm1
{
    Q_OBJECT

public:
    explicit TfKontaktidKoond(const WindowContext &context, QWidget *parent = nullptr);

    QString ApplyFilter() override;
    void SetDateRange(const QDate &from, const QDate &to) override;
    contacts::ContactFilterValues panelValues() const;

    // The commands of the window.
    void OpenContact();
    void ShowClient();
    // "..." beside the client and the contact person: chosen from the selection list.
    void SelectClient();
    void SelectPerson();

    TDynFilterDBCombo *dfdbcAgentKood() const { return m_agent; }
    TDynFilterDBCombo *dfdbcKliKood() const { return m_client; }
    QToolButton *bSelClient() const { return m_selectClient; }
    TDynFilterDBCombo *dfdbcKliKIsikKood() const { return m_person; }
    QToolButton *bSelKontaktIsik() const { return m_selectPerson; }
    TDynFilterDBCombo *dfdbcKontaktLiik() const { return m_type; }
    TDynFilterDBCombo *dfdbcProjekt() const { return m_project; }
    TDynFilterDBCombo *dfdbcRegAgentKood() const { return m_regAgent; }
    TDynFilterComboBox *dbcbKontaktToimus() const { return m_performed; }
    TEditBtn *dfeKontaktKuupA() const { return m_from; }
    TEditBtn *dfeKontaktKuupL() const { return m_to; }

private:
    void restorePanel(data::DataSet &contacts);
    void select(TDynFilterDBCombo *combo, const QString &listName, const QString &keyField, const QString &caption);

    TDynFilterDBCombo *m_agent;
    TDynFilterDBCombo *m_client;
    QToolButton *m_selectClient;
    TDynFilterDBCombo *m_person;
    QToolButton *m_selectPerson;
    TDynFilterDBCombo *m_type;
    TDynFilterDBCombo *m_project;
    TDynFilterDBCombo *m_regAgent;
    TDynFilterComboBox *m_performed;
    TEditBtn *m_from;
    TEditBtn *m_to;
};
