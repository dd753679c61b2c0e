#pragma once

#include "clients/ClientFilter.h"
#include "ui/TfDataListForm1.h"

class QCheckBox;
class QComboBox;
class TDynFilterComboBox;
class TDynFilterDBCombo;
class TDynFilterEdit;
class TEditBtn;

// "Kliendid": the client register narrowed on the server by fourteen criteria, the window an agent
// spends the day in. Opens the client card, registers and plans contacts, prints and exports the list.
class TfKliendidList : public TfDataListForm1
{
    Q_OBJECT

public:
    explicit TfKliendidList(const WindowContext &context, QWidget *parent = nullptr);

    // Applies the panel to the clients: the condition, the tables it joins and whether the rows were
    // made distinct (the mass offer builds its own statement from them).
    clients::ClientFilterResult BuildClientFilter();
    QString ApplyFilter() override;
    QString FilterDescription() override;
    // What the panel holds now.
    clients::ClientFilterValues panelValues() const;

    // The commands of the window.
    void OpenClient();
    void NewClient();
    void RegisterContact();
    void PlanContact();

    TDynFilterDBCombo *dfdbcAgentKood() const { return m_agent; }
    QCheckBox *cbFilterAgentNull() const { return m_noAgent; }
    TDynFilterEdit *dfeKliNimi() const { return m_name; }
    TDynFilterComboBox *dfcbSuhteTyyp() const { return m_relation; }
    TDynFilterEdit *dfeKliAadress() const { return m_address; }
    TDynFilterDBCombo *dfdbcKlassif1Gr() const { return m_classifierGroup; }
    TEditBtn *edbKlassif1Filter() const { return m_classifier; }
    TDynFilterComboBox *dfcbKliPysi() const { return m_regular; }
    TDynFilterComboBox *dfcbHinnang() const { return m_rating; }
    TDynFilterComboBox *dfcbKlientAktiivne() const { return m_active; }
    TEditBtn *edbLinnValdFilter() const { return m_place; }
    QComboBox *cbTootajateArvVordlus() const { return m_employeesOp; }
    TDynFilterEdit *dfeTootajateArv() const { return m_employees; }
    QComboBox *cbKaiveVordlus() const { return m_turnoverOp; }
    TDynFilterEdit *dfeKaive() const { return m_turnover; }
    TDynFilterDBCombo *dfdbcTooteGrFilter() const { return m_productGroup; }
    TEditBtn *edbTooteFilter() const { return m_product; }
    TEditBtn *edbTooteLisaFilter() const { return m_refinement; }
    QComboBox *cbKuupVordlusTehe() const { return m_dateOp; }
    TEditBtn *edbKlientLisatudKpFilt() const { return m_date; }

    // The chosen record of a picker edit (0: none).
    static int pickedId(const TEditBtn *picker);
    static void setPicked(TEditBtn *picker, int id, const QString &text);

private:
    void restorePanel(data::DataSet &clientsSet);
    // The selection dialog over a look-up list; with `group` only the rows of that group.
    bool pick(TEditBtn *picker, const QString &listName, const QString &keyField, const QString &nameField,
              const QString &caption, const QString &groupCondition);
    void pickClassifier();
    void pickProduct(TEditBtn *picker, const QString &listName, const QString &keyField, const QString &nameField,
                     const QString &caption, TEditBtn *other);
    void pickPlace();
    void pickDate();
    bool currentClient(int &code, QString &name) const;

    TDynFilterDBCombo *m_agent;
    QCheckBox *m_noAgent;
    TDynFilterEdit *m_name;
    TDynFilterComboBox *m_relation;
    TDynFilterEdit *m_address;
    TDynFilterDBCombo *m_classifierGroup;
    TEditBtn *m_classifier;
    TDynFilterComboBox *m_regular;
    TDynFilterComboBox *m_rating;
    TDynFilterComboBox *m_active;
    TEditBtn *m_place;
    QComboBox *m_employeesOp;
    TDynFilterEdit *m_employees;
    QComboBox *m_turnoverOp;
    TDynFilterEdit *m_turnover;
    TDynFilterDBCombo *m_productGroup;
    TEditBtn *m_product;
    TEditBtn *m_refinement;
    QComboBox *m_dateOp;
    TEditBtn *m_date;
};
