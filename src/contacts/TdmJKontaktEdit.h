#pragma once

#include <memory>

#include <QObject>
#include <QString>
#include <QStringList>

namespace data {
class DataSet;
class DataSource;
class Field;
class TData1;
} // namespace data

// The data of one plan (a next contact with a client): the plan row with its rules, the agents of
// the plan's client to choose the plan's agent from, and the client's contact persons.
class TdmJKontaktEdit : public QObject
{
    Q_OBJECT

public:
    explicit TdmJKontaktEdit(data::TData1 &data, QObject *parent = nullptr);
    ~TdmJKontaktEdit() override;

    data::TData1 &data() const { return m_data; }
    data::DataSet *taKliJargmKontakt() const { return m_plan.get(); }
    data::DataSource *dsKliJargmKontakt() const { return m_source.get(); }
    // The agents of the plan's client (KLIAGENT with AGENTK) and the client's contact persons.
    data::DataSet *taKliendiAgendidL() const { return m_agents.get(); }
    data::DataSet *taKliKontaktIsikudL() const { return m_persons.get(); }

    // An existing plan; false when it is not there (any more).
    bool OpenPlan(int planId);
    // A new plan with the client, and the person when its code is above 0.
    void OpenNew(int clientCode, const QString &clientName, int personCode, const QString &personName);
    // The new plan follows a contact: its topic, comment, product group and product, where the
    // source has them and they are set.
    void CopyFromSource(const data::DataSet &source);

    int PlanId() const;
    int ClientCode() const;
    QString ClientName() const;
    bool IsInserting() const;
    // "Uus planeering - Client" while the plan is new, else "Planeeritud kontakt - Client".
    QString Caption() const;

    // Who may change what: the planner from level 3, the project when the session may choose one.
    bool PlannerEditable() const;
    bool ProjectEditable() const;
    // The "..." of a name beside its code: the selection list of that name (nothing for a name the
    // session may not change).
    bool PickName(const QString &nameField);

    // The agreement with the client: the texts shown and the codes stored, in the same order.
    static QStringList AgreementTexts();
    static QStringList AgreementValues();

    // Registers a contact against the plan as it is saved; true when the main window took it.
    bool RegisterContact();

signals:
    void captionChanged();

private:
    void setUpPlan();
    void setUpLists();
    void openLists(int clientCode);
    void refuse(const QString &message, const QString &caption);
    void checkMayChange(data::DataSet &plan);
    void beforePost(data::DataSet &plan);
    void planSaved(data::DataSet &plan);
    void planDeleted();
    bool nameEditable(const QString &nameField) const;

    data::TData1 &m_data;
    QString m_prefix;
    std::unique_ptr<data::DataSet> m_plan, m_agents, m_persons;
    std::unique_ptr<data::DataSource> m_source;
    // What the window was created with.
    int m_clientCode = 0;
    QString m_clientName;
    int m_personCode = 0;
    QString m_personName;
    int m_planId = 0;
};
