#pragma once

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

namespace data {
class DataSet;
class DataSource;
class TData1;
} // namespace data

// The data of one client card: the client row and the eight detail tables of its pages, with the
// rules that hold for them. Cards take their module from a pool that the main data module keeps, so
// that a closed card's module (its prepared statements and fields) serves the next card.
class TdmKlientEdit1 : public QObject
{
    Q_OBJECT

public:
    enum Page { Main = 0, Plans, Contacts, Products, Classifiers, Documents, Sales, Agents, PageCount };

    explicit TdmKlientEdit1(data::TData1 &data, QObject *parent = nullptr);
    ~TdmKlientEdit1() override;

    // The pool: the first module no card holds, or a new one added to the pool; the card is its holder.
    static TdmKlientEdit1 *Acquire(data::TData1 &data, QObject *card);
    // The card is done with the module: the client dataset and the pages close, the module stays in
    // the pool. `discard` drops a module that was made for this card alone (a card that never opened).
    void Release(bool discard = false);
    QObject *card() const { return m_card; }

    data::TData1 &data() const { return m_data; }
    data::DataSet *taKlient() const { return m_taKlient.get(); }
    data::DataSet *taKliKontaktIsikud() const { return m_persons.get(); }
    data::DataSet *taKliJargmKontaktid() const { return m_plans.get(); }
    data::DataSet *taKontaktidKliendil() const { return m_contacts.get(); }
    data::DataSet *taTootedKliendil() const { return m_products.get(); }
    data::DataSet *taKlassif1Kli() const { return m_classifiers.get(); }
    data::DataSet *taKliendiDokum() const { return m_documents.get(); }
    data::DataSet *taKliPerMyyk() const { return m_sales.get(); }
    data::DataSet *taKliendiAgendid() const { return m_agents.get(); }
    data::DataSet *pageDataSet(int page) const;
    data::DataSource *dsKlient() const { return m_dsKlient.get(); }
    data::DataSource *source(const data::DataSet *dataSet) const;

    // Opening: a new client (an empty row appended) or an existing one. An unknown code is said
    // ("Ei leia klienti '%d' !") and false returned.
    void OpenNew();
    bool OpenClient(int clientCode);
    bool IsNew() const { return m_new; }
    // The card's client: set at opening and after every save (a new client has none until saved).
    int ClientCode() const { return m_clientCode; }
    // "Klient - Name AS" or "Uus klient - ..." while the row is being inserted.
    QString Caption() const;
    // A page is shown: the past contacts are read again, pages 3 to 6 open the first time.
    void PageShown(int page);
    // A contact or a plan of this client was saved or deleted elsewhere: the open pages read them
    // again and stand on the plan and the contact named (0: on the row they stood on).
    void RefreshContactPages(int planId = 0, int contactId = 0);
    // The same for every open card of the client.
    static void RefreshOpenCards(data::TData1 &data, int clientCode, int planId = 0, int contactId = 0);
    bool PageOpened(int page) const { return m_pageOpened[static_cast<size_t>(page)]; }

    // The page filters; each state is kept for the session.
    void SetActivePersonsOnly(bool on);
    void SetOwnPlansOnly(bool on);
    void SetContactFilters(bool ownOnly, bool activeProjectOnly);
    void SetClassifierGroup(int groupId); // 0: every group
    int ClassifierGroup() const { return m_classifierGroup; }
    // The conditions the filters give (empty: none).
    QString PlansCondition() const;
    QString ContactsCondition() const;

    // Rights of the card.
    bool IsOwn();
    bool CanDelete(bool allowed);
    // Refuses with "Agendile lubatud vaid omad kliendid !" under the card's caption.
    void CheckOwnForCommand();

    // Documents: "file" and "web".
    QStringList DocumentTypes;
    QString DocumentsRoot() const;
    QString StoreDocumentPath(const QString &name, const QString &type) const;
    QString ResolveDocumentPath(const QString &name, const QString &type) const;
    static bool IsFullPath(const QString &name);
    static QString JoinPath(const QString &root, const QString &name);
    // The current document's full path (for opening and attaching); empty without one.
    QString CurrentDocumentPath() const;
    void OpenCurrentDocument();
    // A new document chosen from the files ("Select File", starting at the current document); the
    // row is appended only when a file was chosen.
    bool InsertDocument();
    // Another file for the current document, chosen the same way.
    bool ChooseDocumentFile();

    // Commands.
    void RecordContact(bool plannedContactChosen);
    void PlanContact();
    void PrintCard();
    // The current row of pages 1, 2 and 3 opened in its own window; nothing without a row.
    void OpenCurrentPlan();
    void OpenCurrentContact();
    void OpenCurrentProduct();
    // The printed client card: previewed by the reports when they are there; until then nothing.
    static std::function<void(TdmKlientEdit1 &)> &CardReport();
    // E-mail and dialling: `person` when a contact person is the addressee (the persons dataset stands
    // on that person).
    void SendEMail(bool person, bool attachDocument);
    void Dial(bool person, bool personSecondNumber, bool clientSecondNumber);
    // "Emafirma valik": the mother company chosen from all clients.
    bool ChooseMotherCompany();
    int MotherCompany() const;

signals:
    void captionChanged();
    // A new card whose row was dropped (its name belongs to an existing client) has nothing to show.
    void closeRequested();

private:
    std::unique_ptr<data::DataSet> makeDataSet(const QString &name, const QString &select);
    void setUpClient();
    void setUpDetails();
    void applyFilters();
    void refuse(const QString &message, const QString &caption);
    void clientSaved();
    void closePages();
    QString askDocumentFile();

    data::TData1 &m_data;
    QString m_prefix;
    QPointer<QObject> m_card;
    bool m_freshForCard = false;
    std::unique_ptr<data::DataSet> m_taKlient, m_persons, m_plans, m_contacts, m_products, m_classifiers, m_documents,
        m_sales, m_agents;
    std::unique_ptr<data::DataSource> m_dsKlient;
    std::vector<std::unique_ptr<data::DataSource>> m_sources;
    std::array<bool, PageCount> m_pageOpened{};
    bool m_new = false;
    bool m_wasInserting = false;
    int m_clientCode = 0;
    int m_classifierGroup = 0;
};
