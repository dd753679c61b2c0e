#pragma once

#include <memory>

#include <QString>
#include <QStringList>

#include "data/DatabaseSettings.h"
#include "data/Session.h"

class CredentialsPrompt;
class DdeServer;
class DialogCredentialsPrompt;
class TdmUserSettings1;
class TdmUsersAdmin1;
class QLockFile;
class QtUserInterface;
class TfMain;
class VelkoraApplication;

namespace data {
class TData1;
class UserInterface;
} // namespace data

// The way from process start to a usable main window, and the way out.
class StartUp
{
public:
    // What the start-up talks to. Empty parts are the program's own: its windows, its log-in dialog
    // and the service name other programs reach it under.
    struct Ports
    {
        data::UserInterface *ui = nullptr;
        CredentialsPrompt *prompt = nullptr;
        QString serviceName;
    };

    StartUp(VelkoraApplication &app, const QStringList &arguments);
    StartUp(VelkoraApplication &app, const QStringList &arguments, const Ports &ports);
    ~StartUp();

    // 0 to run the message loop; otherwise the exit code (1: another instance runs, 2: no log-in).
    int run();
    TfMain *mainWindow() const { return m_main.get(); }
    data::TData1 *dataModule() const { return m_data.get(); }

private:
    bool singleInstance();
    bool connectLoop();
    void handleError(const std::exception &e);
    void endOnRequest();

    VelkoraApplication &m_app;
    QStringList m_args;
    QString m_programPath;
    DatabaseSettings m_dbSettings;
    data::Session m_session;
    std::unique_ptr<QtUserInterface> m_ownUi;
    data::UserInterface *m_ui;
    CredentialsPrompt *m_prompt;
    QString m_serviceName;
    std::unique_ptr<TdmUserSettings1> m_userSettings;
    std::unique_ptr<data::TData1> m_data;
    std::unique_ptr<TfMain> m_main;
    std::unique_ptr<DialogCredentialsPrompt> m_adminPrompt;
    std::unique_ptr<TdmUsersAdmin1> m_usersAdmin;
    std::unique_ptr<DdeServer> m_dde;
    std::unique_ptr<QLockFile> m_lock;
    QString m_settingsText;
    QList<QPair<QString, int>> m_earlyMacros;
};
