#pragma once

#include <memory>

#include <QDate>
#include <QObject>
#include <QString>

namespace data {
class DataSet;
class DataSource;
class TData1;
} // namespace data

namespace contacts {

// What a new contact is recorded with: the client, the agent who made the contact, the person
// spoken to and the plan it fulfils (0: none named; the user may still choose one).
struct ContactRequest
{
    int clientCode = 0;
    int agentCode = 0;
    QString agentName;
    QString personName;
    QString clientName;
    int planId = 0;
    int personCode = 0;
};

// The data of one contact record: the contact row, the client's plans it may fulfil and the rules of
// recording a contact. A contact recorded against a plan takes the plan's data, and the plan is
// removed once the contact is in the database.
class TdmKontaktEdit : public QObject
{
    Q_OBJECT

public:
    explicit TdmKontaktEdit(data::TData1 &data, QObject *parent = nullptr);
    ~TdmKontaktEdit() override;

    data::TData1 &data() const { return m_data; }
    data::DataSet *taKontakt() const { return m_contact.get(); }
    data::DataSet *taKliJargmKontaktidL() const { return m_plans.get(); }
    data::DataSource *dsKontakt() const { return m_source.get(); }
    data::DataSource *dsPlans() const { return m_plansSource.get(); }

    // An existing contact; false (said) when it is not found.
    bool OpenExisting(int contactId);
    // A new contact: the dataset is opened empty and the values remembered; Prepare() chooses the
    // plan, Append() starts the row.
    void OpenNew(const ContactRequest &request);
    // The choice of plan. False: the user cancelled and nothing is to be recorded.
    bool Prepare();
    void Append();
    bool IsNew() const { return m_new; }
    // The plan the contact is recorded against (0: none).
    int ChosenPlan() const;
    // The contact's ID once it is in the database (0 before).
    int ContactId() const { return m_contactId; }
    int ClientCode() const;

    // "Kontakti reg - Client" while inserting, else "Toimunud kontakt - Client".
    QString Caption() const;
    // Which fields the session may change: the registering agent from level 3, the project when the
    // session may choose projects.
    bool RegAgentEditable() const;
    bool ProjectEditable() const;
    bool CanDelete(bool allowed) const;
    // The rights to delete this contact; a refusal is said and thrown (data::Abort).
    void CheckDelete();

    // Commands: the client's card; a next contact following this one.
    void ShowClient();
    void PlanNextContact();
    // The dataset and the plans close (the window is closing).
    void Close();

signals:
    void captionChanged();
    // The contact was deleted: the window has nothing more to show.
    void closeRequested();

private:
    void setUp();
    void newRecord();
    void beforePost();
    void afterPost();
    void afterDelete();
    void beforeEdit();
    void beforeDelete();
    void confirmedContactRule(const QString &fieldName, const QVariant &value);
    bool isOwnContact() const;
    bool removePlan(int planId);
    void refuse(const QString &message, const QString &caption);
    QString translatedCaption() const;

    data::TData1 &m_data;
    std::unique_ptr<data::DataSet> m_contact;
    std::unique_ptr<data::DataSet> m_plans;
    std::unique_ptr<data::DataSource> m_source;
    std::unique_ptr<data::DataSource> m_plansSource;
    ContactRequest m_request;
    bool m_new = false;
    int m_contactId = 0;
    int m_deletedClient = 0;
    bool m_settingUp = false;
};

} // namespace contacts
