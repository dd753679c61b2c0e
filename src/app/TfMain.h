#pragma once

#include <exception>
#include <functional>

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include "contacts/TfKontaktEdit.h"
#include "data/MainServices.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class TdmUserSettings1;
class TfJKontaktEdit;
class TfKlientEdit;
class TfKontaktEdit;

namespace data {
class TData1;
class UserInterface;
struct Session;
} // namespace data

// The program's main window: an MDI frame with the command table, the status bar of the session and
// the services the other windows call.
class TfMain : public QMainWindow, public data::MainServices
{
    Q_OBJECT

public:
    TfMain(data::TData1 *data, data::Session *session, data::UserInterface *ui, QWidget *parent = nullptr);
    ~TfMain() override;

    // Services.
    void ShowChild(QWidget *window);
    void ShowChild(QObject *window) override;
    void DisableClientListFilter() override;
    void OpenClientCard(int clientCode, int page) override;
    void NewClientCard() override;
    void OpenProduct(int productId) override;
    // A new plan for a client (after a contact when `source` stands on one); an open plan's window.
    void PlanContact(int clientCode, const QString &clientName, const data::DataSet *source, const QString &personName,
                     int personCode) override;
    void OpenNextContact(int nextContactId) override;
    // The open window of a saved plan; nullptr when none is open.
    TfJKontaktEdit *planWindow(int planId) const;
    // The open card of a client, found by the code the card holds now; nullptr when none is open.
    TfKlientEdit *clientCard(int clientCode) const;
    // Builds a client card (a new client for code 0); without it the cards are asked of onOpenWindow.
    std::function<TfKlientEdit *(int clientCode, int page)> clientCardFactory;
    bool CheckRights(bool adminOnly) override;
    void ActivateProject(int projectId) override;
    QString MainCaption() const override { return windowTitle(); }
    void SetStatusUser(const QString &userName, const QString &agentName);
    bool RegisterContact(int clientCode, int agentCode, const QString &agentName, const QString &personName,
                         const QString &clientName, int plannedContactId, int personCode) override;
    void OpenContact(int contactId) override;
    // The open window of a contact; nullptr when none is open.
    TfKontaktEdit *contactWindow(int contactId) const;
    // The contact window a registration opened last (nullptr when it is gone).
    TfKontaktEdit *lastNewContactWindow() const { return m_newContact; }
    // Project choice at start and from the menu.
    void ChooseProject();

    // Macros from other programs, taken at the next idle moment.
    void takeMacro(const QString &name, int value);
    int PendingClientId = 0;
    int PendingProjectId = 0;

    // The command of the menus by its handler name ("Kliendid1Click"), for tests and the tool bar.
    QAction *command(const QString &handlerName) const;
    QStringList menuTitles() const;
    QLabel *statusPanel(int index) const;
    QMdiArea *mdiArea() const { return m_mdi; }
    // The button bar of the active child shown in the tool bar (a child's direct child named
    // "panToolBar"); none when the active child has none or is minimised.
    QWidget *activeButtonBar() const;

    // The user's settings: the placement of this window and the sizes of the child windows are kept
    // there, and closing writes them with the preferences back to the user's row.
    void setUserSettings(TdmUserSettings1 *settings) { m_settings = settings; }
    // Puts the window where the user left it at the last close; false when nothing was stored.
    bool restorePlacement();
    // Anything else closing stores, after the user's settings are written.
    std::function<void()> onStoreSettings;
    // Erases the remembered child window sizes.
    std::function<void()> onForgetChildSizes;
    // Opens the child window of a class (at most one of each; a second call brings it forward).
    QWidget *OpenWindow(const QString &className);
    // The open window of a class, or nullptr.
    QWidget *openWindow(const QString &className) const;
    // Builds the child windows by class name (the program's catalogue of windows).
    std::function<QWidget *(const QString &className)> windowFactory;
    // Opens a window that another part of the program builds, by its handler name.
    std::function<void(const QString &handler)> onOpenWindow;
    // Where the errors of the commands go (the program's error hook: message, then the error log);
    // without one they are shown in a message box.
    std::function<void(const std::exception &)> onCommandError;
    bool confirmClose = true;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Command;
    void buildCommands();
    QAction *add(QMenu *menu, const Command &c);
    void runCommand(const QString &handler);
    void closeAllChildren();
    void idle();
    void showAttachedUsers();
    void openClientByNumber();
    void aboutBox();
    void updateWindowMenu();
    void tileChildren(Qt::Orientation orientation);
    void arrangeIcons();
    void reportCommandError(const std::exception &e);
    void storeSettings();
    void adoptButtonBar(QMdiSubWindow *sub, QWidget *window);
    void showActiveButtonBar();
    void mergeWindowMenu(QMdiSubWindow *sub);

    data::TData1 *m_data;
    data::Session *m_session;
    data::UserInterface *m_ui;
    TdmUserSettings1 *m_settings = nullptr;
    QMdiArea *m_mdi;
    QToolBar *m_toolBar;
    QWidget *m_toolPanel = nullptr;
    QHash<QMdiSubWindow *, QWidget *> m_childBars;
    QList<QLabel *> m_panels;
    QMenu *m_windowMenu = nullptr;
    QList<QAction *> m_windowListActions;
    QHash<QString, QPointer<QWidget>> m_windows;
    // Client cards are many at a time, one per client; apart from the one-per-class windows.
    QList<QPointer<TfKlientEdit>> m_clientCards;
    QList<QPointer<TfKontaktEdit>> m_contactWindows;
    QPointer<TfKontaktEdit> m_newContact;
    // Plan windows, one per plan.
    QList<QPointer<TfJKontaktEdit>> m_planWindows;
    QPointer<QMenu> m_mergedMenu;
};
