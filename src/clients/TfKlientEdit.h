#pragma once

#include <QList>
#include <QMap>
#include <QPointer>

#include "TdmKlientEdit1.h"
#include "ui/TfDataEditForm1.h"

class QCheckBox;
class QTabWidget;
class TDBEdit;
class TDBGrid;
class TDBMemo;
class TDynFilterDBCombo;
class THDBNavigator;

// The client card: one client with everything known about it on eight pages. Each card works on a
// data module of its own, taken from the pool of the main data module and given back on closing.
class TfKlientEdit : public TfDataEditForm1
{
    Q_OBJECT

public:
    // A new client when `clientCode` is 0 or less; `page` is the page shown first.
    TfKlientEdit(const WindowContext &context, int clientCode, int page = 0, QWidget *parent = nullptr);
    ~TfKlientEdit() override;

    // False when the client was not found: the window is then to be thrown away unshown.
    bool isOpened() const { return m_module != nullptr; }
    TdmKlientEdit1 *module() const { return m_module; }
    int ClientCode() const;

    QTabWidget *pages() const { return m_pages; }
    void ShowPage(int page);
    TDBEdit *edit(const QString &fieldName) const;
    TDBGrid *grid(int page) const { return m_grids.value(page); }
    THDBNavigator *navigator(int page) const { return m_navigators.value(page); }
    QCheckBox *cbAktiivsed() const { return m_activePersons; }
    QCheckBox *cbOmadPlaanid() const { return m_ownPlans; }
    QCheckBox *cbOmadKontaktid() const { return m_ownContacts; }
    QCheckBox *cbAktiivneProjekt() const { return m_activeProject; }
    QCheckBox *cbLisaDokument() const { return m_attachDocument; }
    TDynFilterDBCombo *dfdbcKliKlassif1Gr() const { return m_classGroup; }

    bool CanDelete(bool allowed) override;
    // The module asks its own question before deleting.
    bool ConfirmDelete() override { return true; }

    // Commands.
    void bTeeKontaktClick();
    void bPlaneeriKontaktClick();
    void bPrintFirmaKaartClick();
    void bSendEMailClick();
    void bMakeCallClick();
    void bAvaDokumentClick();
    void bAvaEmafirmaClick();
    void DocumentInsert();
    // The "..." of a grid column on a page.
    void GridButtonClick(int page, const QString &fieldName);

private:
    QWidget *mainPage();
    QWidget *gridPage(int page, const QString &objectName, bool editable);
    QWidget *plansPage();
    QWidget *contactsPage();
    QWidget *productsPage();
    QWidget *classifiersPage();
    QWidget *documentsPage();
    void prepareFields();
    void renewCaption();
    bool personChosen() const;

    QPointer<TdmKlientEdit1> m_module;
    QTabWidget *m_pages = nullptr;
    QList<TDBEdit *> m_edits;
    QMap<int, TDBGrid *> m_grids;
    QMap<int, THDBNavigator *> m_navigators;
    QCheckBox *m_activePersons = nullptr;
    QCheckBox *m_ownPlans = nullptr;
    QCheckBox *m_ownContacts = nullptr;
    QCheckBox *m_activeProject = nullptr;
    QCheckBox *m_attachDocument = nullptr;
    TDynFilterDBCombo *m_classGroup = nullptr;
    TDBEdit *m_phone2 = nullptr;
};
