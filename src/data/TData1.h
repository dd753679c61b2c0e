#pragma once

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <vector>

#include <QDate>
#include <QObject>
#include <QPointer>
#include <QString>

#include "DataSet.h"
#include "ProgramParameters.h"
#include "Session.h"
#include "fb/Attachment.h"
#include "fb/Numeric.h"
#include "fb/Transaction.h"

namespace data {

class DataSource;
class MainServices;
class SqlStatement;
class UserInterface;

// The main data module: the one connection and transaction, the shared datasets and the rules every
// window obeys (who may change what, the client and contact person rules, the session filters, the
// look-up of codes by typed names, price arithmetic).
class TData1 : public QObject
{
    Q_OBJECT

public:
    TData1(UserInterface *ui, MainServices *main, Session *session, QObject *parent = nullptr);
    ~TData1() override;

    // The connection: its settings, and attaching with them (starts the transaction).
    fb::ConnectParams &Database1Params() { return m_params; }
    void Connect();
    void Disconnect();
    bool Connected() const { return m_db.isAttached(); }
    fb::Attachment &Database1() { return m_db; }
    fb::Transaction &IBTransaction1() { return *m_tr; }
    SqlStatement &qFastSQL1();
    Session &session() const { return *m_session; }
    UserInterface *ui() const { return m_ui; }
    // The main window's services, handed over once the main window exists.
    void setMainServices(MainServices *main) { m_main = main; }
    MainServices *mainServices() const { return m_main; }

    // Program parameters (KPARAMS), read when asked for so that another workstation's change counts.
    QString GetParameter(const QString &name, const QString &defaultValue = QString());
    bool SetParameter(const QString &name, const QString &value);

    // Shared datasets (created by Connect()).
    DataSet *dataSet(const QString &name) const;
    DataSet *taKliendid() const { return dataSet("taKliendid"); }
    DataSet *taKliKontaktIsikud() const { return dataSet("taKliKontaktIsikud"); }
    DataSet *taKontaktid() const { return dataSet("taKontaktid"); }
    DataSet *taAgendid() const { return dataSet("taAgendid"); }
    DataSet *taTooted() const { return dataSet("taTooted"); }
    DataSource *dsKliendid() const { return m_dsKliendid.get(); }
    // The data source of any shared dataset (created with it).
    DataSource *dataSource(const QString &dataSetName) const;

    // The client rules, for this module's clients and for any other dataset over KLIENTK (a client
    // card, an import): level and own-client checks, the duplicate name question, the telephone search
    // columns, the new client's agent and classifier, refreshing the lists that show clients.
    void AttachClientRules(DataSet &clients);
    // Contact persons of the client of their master dataset.
    void AttachContactPersonRules(DataSet &persons);
    // Any detail row of a client (contact persons, classifiers, products, agents, documents): the
    // client is posted first and the client's before-edit check applies; new rows take the client's code.
    void AttachClientDetailRules(DataSet &detail);
    void EnneKliendiDetailideMuutmist(DataSet &detail);
    // The column rights: changing a field with a protection tag in an existing row needs that level.
    void AttachColumnRights(DataSet &dataSet);
    // An editable dataset over one table: insert, modify, delete and refresh written from the columns
    // and the key; the first key column takes the generator's value on post.
    static void MakeEditable(DataSet &dataSet, const QString &table, const QStringList &columns,
                             const QStringList &keys, const QString &generator = QString());
    // Every column of KLIENTK that is written.
    static const QStringList &ClientColumns();
    // Every column of KONTAKT that is written.
    static const QStringList &ContactColumns();

    // The client cards' data modules: a card takes one no card holds, or adds one (see TdmKlientEdit1).
    std::vector<std::unique_ptr<QObject>> &ClientCardModules() { return m_cardModules; }
    // The client cards' page filters as the last card left them, kept for the session.
    struct CardFilterStates
    {
        bool activePersons = false;
        bool ownPlans = false;
        bool ownContacts = false;
        bool activeProjectContacts = false;
    };
    CardFilterStates CardFilters;

    // Commits the change of a dataset at once (commit-retaining).
    void SaveChangesAfterPost(DataSet &dataSet);

    // A list read again after rows changed elsewhere, standing on the row (by its key) it stood on,
    // and fetched only as far as that row. Nothing for a closed list or one being edited.
    void RereadList(DataSet &list, const QString &keyField);
    // The planned contacts list after plans changed: a saved plan that the list stands on is
    // re-read in place; otherwise the list is read again.
    void PlansChanged();
    void PlanSaved(int planId);
    // The performed contacts list after a contact was saved or deleted.
    void ContactsChanged();

    bool IsOwnClient(int clientCode);
    // True when a client of that name exists; with `ask`, offers to show it.
    bool ClientNameExists(const QString &name, const QString &title, bool ask);
    void SetSessionFilters();
    bool IsHoliday(const QDate &date);
    static QString ToNetworkPath(const QString &fileName);

    // Puts every telephone search column of clients and contact persons in step with its number,
    // writing only the rows that differ, whatever lists are open or filtered. `progress` hears
    // (rows done, rows in all). Returns the rows written; throws at the first error, and the rows
    // written before it stay.
    int RebuildPhoneSearch(const std::function<void(int done, int total)> &progress = {});
    // Hands the number, after the outside-line prefix of the program parameters, to the dialler.
    void DialNumber(const QString &number, const QString &calledParty);

    // Typing a name into a name field looks up the row it names and stores that row's key.
    void OnKoodNimiPaarSetText(Field &field, const QString &text);
    // The "..." of a name of a code-name pair: the row goes into edit (its rules may refuse), the
    // selection list of that name opens on the row's key, and the chosen row's key and name (and
    // group) land in the row. Cancel leaves a row that was not being edited as it was.
    bool PickByFieldName(Field &field);
    // A name field of one dataset looked up in a list of its own instead of the shared one (a plan's
    // agent among the agents of its client); the rest of the field's look-up stays as it is. Holds
    // while both datasets live.
    void SetLookupList(DataSet &row, const QString &nameField, DataSet &list);
    // A place's country typed by its name: found in any letter case; an unknown name changes nothing.
    void PlaceCountrySetText(Field &field, const QString &text);
    bool lookupQuestion = false;

    // Price arithmetic of products.
    static fb::Numeric RoundTo(const fb::Numeric &value, int decimals);
    static fb::Numeric PriceWithTax(const fb::Numeric &net, const fb::Numeric &percent);
    static fb::Numeric PriceWithoutTax(const fb::Numeric &gross, const fb::Numeric &percent);

    // A classifier for the next new client (the client import sets it).
    void SetPendingClassifier(int groupId, int classifierId);
    void ClearPendingClassifier();
    // The code of the client being inserted, from its before-post until its agent is added; 0 otherwise.
    int PendingNewClientCode() const { return m_pendingClient; }

    // Translated texts renewed whenever the interface language changes.
    QString JahText;
    QString EiText;
    QString NaitaKoikiText;
    QString KalenderText;
    void RenewTranslatedTexts();
    static constexpr const char *Yes = "Y";
    static constexpr const char *No = "N";
    QString AgentCondition; // "AgentKood=" + the session's agent, empty without one

private:
    struct LookupDescriptor
    {
        QString list;        // look-up dataset
        QString keyField;    // field of the edited row that gets the key
        QString lookupKey;   // key column of the look-up list
        QString nameColumn;  // name column of the look-up list
        QString groupField;  // field of the row restricting the list (and set with the key)
        QString fixed;       // fixed condition
        QString caption;
        DataSet *listSet = nullptr; // a list of the row's own, in place of `list`
    };
    struct LookupListOverride
    {
        QPointer<DataSet> row;
        QString nameField;
        QPointer<DataSet> list;
    };

    DataSet &make(const QString &name, const QString &select);
    DataSet &makeDetail(const QString &name, const QString &select, const QString &master);
    void commitAndReload(DataSet &ds, const QStringList &lists);
    void attachLookups(DataSet &ds, const QStringList &nameFields);
    void addClientNameField(DataSet &ds);
    void addPlanContactFields(DataSet &ds);
    // Opens the look-up lists that are not open yet.
    void openLists(std::initializer_list<const char *> names);
    void createDataSets();
    void attachRules();
    void refuse(const QString &message, const QString &caption);
    void checkMiddleLevel(DataSet &);
    void clientBeforeEdit(DataSet &client);
    void reopenIfOpen(const QString &name);
    // The client list after a client changed elsewhere (a card): the change shows, the place stays.
    void rereadClientList(DataSet &changed);
    void priceChanged(Field &field);
    std::optional<LookupDescriptor> descriptorFor(const QString &fieldName) const;
    std::optional<LookupDescriptor> descriptorFor(const Field &field);
    DataSet &listOf(const LookupDescriptor &desc) const;
    void takeLookupRow(const LookupDescriptor &desc, Field &field, DataSet &list);

    UserInterface *m_ui;
    MainServices *m_main;
    Session *m_session;
    fb::ConnectParams m_params;
    fb::Attachment m_db;
    std::unique_ptr<fb::Transaction> m_tr;
    std::unique_ptr<SqlStatement> m_fast;
    std::map<QString, std::unique_ptr<DataSet>> m_dataSets;
    std::unique_ptr<DataSource> m_dsKliendid;
    std::map<QString, std::unique_ptr<DataSource>> m_sources;
    ProgramParameters m_parameters;
    int m_languageListener = 0;
    int m_pendingClient = 0;
    int m_pendingGroup = 0;
    int m_pendingClassifier = 0;
    bool m_priceBusy = false;
    std::vector<std::unique_ptr<QObject>> m_cardModules;
    std::vector<LookupListOverride> m_lookupLists;
};

} // namespace data
