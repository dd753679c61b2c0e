#include "StartUp.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLockFile>
#include <QMdiArea>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

#include "DdeServer.h"
#include "data/ErrorLog.h"
#include "data/Generators.h"
#include "data/ProgramParameters.h"
#include "data/SessionLogIn.h"
#include "TdlgChangePassw.h"
#include "TdlgDBSetup.h"
#include "TdlgGenerators.h"
#include "TdlgLogin.h"
#include "TdlgProgeParameetrid.h"
#include "clients/TfKlientEdit.h"
#include "reference/TdlgOmaFirmaAndmed.h"
#include "data/TdmUserSettings1.h"
#include "data/TdmUsersAdmin1.h"
#include "TfMain.h"
#include "WindowCatalog.h"
#include "data/Translate.h"
#include "VelkoraApplication.h"
#include "data/DataSet.h"
#include "data/SqlStatement.h"
#include "data/TData1.h"
#include "ui/TfChildBtnBarForm01.h"
#include "fb/FbError.h"
#include "fb/TerminationRequest.h"
#include "fb/Trace.h"
#include "ui/QtUserInterface.h"

StartUp::StartUp(VelkoraApplication &app, const QStringList &arguments) : StartUp(app, arguments, Ports())
{
}

StartUp::StartUp(VelkoraApplication &app, const QStringList &arguments, const Ports &ports)
    : m_app(app), m_args(arguments), m_programPath(arguments.value(0)),
      m_ownUi(ports.ui ? nullptr : std::make_unique<QtUserInterface>()), m_ui(ports.ui ? ports.ui : m_ownUi.get()),
      m_prompt(ports.prompt), m_serviceName(ports.serviceName.isEmpty() ? QStringLiteral("velkora1IB") : ports.serviceName)
{
}

StartUp::~StartUp()
{
    fb::TerminationRequest::install({});
    TfChildBtnBarForm01::errorHook() = nullptr;
    m_usersAdmin.reset();
    if (m_data)
        m_data->setMainServices(nullptr);
    m_main.reset();
    m_data.reset();
}

bool StartUp::singleInstance()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    m_lock = std::make_unique<QLockFile>(dir + QLatin1Char('/') + DdeServer::socketName(m_serviceName) + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(100))
        return true;
    // Another instance runs: hand over what we were given and bring it forward.
    const qsizetype dde = m_args.indexOf(QStringLiteral("--dde"));
    DdeServer::send(m_serviceName, dde >= 0 ? m_args.value(dde + 1) : QStringLiteral("Activate=0"));
    return false;
}

void StartUp::endOnRequest()
{
    if (m_main)
        m_main->confirmClose = false;
    QApplication::closeAllWindows();
}

void StartUp::handleError(const std::exception &e)
{
    QWidget *active = QApplication::activeWindow();
    QWidget *focus = QApplication::focusWidget();
    m_ui->showMessage(ErrorLog::messageOf(e), QApplication::applicationDisplayName());
    ErrorLog(ErrorLog::defaultFileName(m_programPath)).append(e, active ? active->objectName() : QString(),
                                                                focus ? focus->objectName() : QString());
}

bool StartUp::connectLoop()
{
    const QString ini = DatabaseSettings::configFilePath(m_programPath);
    bool configured = m_dbSettings.ReadDatabaseSettings(ini);
    bool reuse = false, connected = false, attempted = false;
    m_data->Database1Params().user.clear();
    DialogCredentialsPrompt dialogPrompt(nullptr);
    CredentialsPrompt &prompt = m_prompt ? *m_prompt : dialogPrompt;
    while (!connected) {
        try {
            if (!configured && m_ui->ask(Translate(QStringLiteral("Seadistame andmebaasi ?")),
                                         QApplication::applicationDisplayName(),
                                         data::UserInterface::Buttons::YesNo) == data::UserInterface::Answer::Yes)
                configured = RunDatabaseSetup(m_dbSettings, nullptr, m_ui);
            if (!configured)
                break;
            attempted = true;
            fb::ConnectParams &p = m_data->Database1Params();
            const QString user = p.user, password = p.password;
            p = m_dbSettings.toConnectParams(user, password);
            SessionLogIn login(*m_data, m_session, prompt, m_ui);
            connected = login.ConnectAndLogIn(reuse);
            m_settingsText = login.settingsText();
            if (!connected)
                break;
        } catch (const fb::FbError &e) {
            reuse = true;
            handleError(e);
            if (e.gdsCode() == fb::FbError::IoError || e.gdsCode() == fb::FbError::NetworkError)
                configured = false;
            else
                break;
        }
    }
    if (connected && attempted)
        m_dbSettings.WriteDatabaseSettings(ini);
    return connected;
}

int StartUp::run()
{
    QApplication::setApplicationDisplayName(QStringLiteral("Lumora-Contact"));
    if (!singleInstance())
        return 1;
    if (m_args.value(1).toLower() == QLatin1String("-trace"))
        fb::Trace::enable(QDir::current().filePath(QFileInfo(m_programPath).completeBaseName() + QStringLiteral(".trace")));
    // Macros may arrive while the program still starts: they wait for the main window.
    m_dde = std::make_unique<DdeServer>(m_serviceName);
    m_dde->listen();
    QObject::connect(m_dde.get(), &DdeServer::macroReceived, m_dde.get(), [this](const QString &name, int value) {
        if (m_main)
            m_main->takeMacro(name, value);
        else
            m_earlyMacros.append({name, value});
    });
    QObject::connect(m_dde.get(), &DdeServer::activateRequested, m_dde.get(), [this] {
        if (!m_main)
            return;
        if (m_main->isMinimized())
            m_main->showNormal();
        m_main->raise();
        m_main->activateWindow();
    });
    const qsizetype ddeArg = m_args.indexOf(QStringLiteral("--dde"));
    if (ddeArg >= 0) {
        QString name;
        int value = 0;
        if (DdeServer::parse(m_args.value(ddeArg + 1), &name, &value))
            m_earlyMacros.append({name, value});
    }

    QLabel splash(QStringLiteral("<h2>Lumora-Contact</h2><p>  Start...</p>"));
    splash.setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    splash.setAlignment(Qt::AlignCenter);
    splash.resize(320, 140);
    splash.show();
    QApplication::processEvents();

    // Asked to end from outside (the desktop session ends, kill, Ctrl+C): the program closes as if
    // the user had confirmed, so that the user's settings are written while the connections still work.
    fb::TerminationRequest::install([this, context = m_dde.get()] {
        QMetaObject::invokeMethod(context, [this] { endOnRequest(); }, Qt::QueuedConnection);
    });
    m_userSettings = std::make_unique<TdmUserSettings1>(m_programPath);
    m_data = std::make_unique<data::TData1>(m_ui, nullptr, &m_session);
    m_app.onError = [this](const std::exception &e) { handleError(e); };
    splash.hide();
    if (!connectLoop())
        return 2;

    m_main = std::make_unique<TfMain>(m_data.get(), &m_session, m_ui);
    // The data rules open client cards and title their messages through the main window.
    m_data->setMainServices(m_main.get());
    m_main->onCommandError = [this](const std::exception &e) { handleError(e); };
    m_main->windowFactory = [this](const QString &className) {
        return WindowCatalog::create(className, WindowContext{m_data.get(), m_ui});
    };
    m_main->clientCardFactory = [this](int clientCode, int page) {
        return new TfKlientEdit(WindowContext{m_data.get(), m_ui}, clientCode, page);
    };
    // The commands of the child windows report their errors the same way.
    TfChildBtnBarForm01::errorHook() = [this](const std::exception &e) { handleError(e); };
    m_adminPrompt = std::make_unique<DialogCredentialsPrompt>(m_main.get());
    if (m_ownUi)
        m_ownUi->setParent(m_main.get());
    // Settings that are not sections-and-keys are dropped: the user starts from the defaults and
    // closing writes sound ones over them.
    m_userSettings->load(m_settingsText);
    m_main->setUserSettings(m_userSettings.get());
    m_main->restorePlacement();
    const QString preferences = QString::fromLatin1(TdmUserSettings1::PreferencesSection);
    m_session.NewContactOpenClient =
        m_userSettings->ReadSetting(preferences, QString::fromLatin1(TdmUserSettings1::NewContactOpenClientKey),
                                    QStringLiteral("0")) != QLatin1String("0");
    m_session.DefaultAgentFilter =
        m_userSettings->ReadSetting(preferences, QString::fromLatin1(TdmUserSettings1::DefaultAgentFilterKey),
                                    QStringLiteral("1")) != QLatin1String("0");
    if (m_ownUi)
        m_ownUi->setDialerCommand(m_userSettings->ReadSetting(preferences, QString::fromLatin1(TdmUserSettings1::DialerKey)));
    m_main->command(QStringLiteral("Kontaktiregistreerimiselavaklient1Click"))->setChecked(m_session.NewContactOpenClient);
    m_main->command(QStringLiteral("Andmetelevaikimisiagendifilter1Click"))->setChecked(m_session.DefaultAgentFilter);
    m_main->SetStatusUser(m_session.UserName, m_session.AgentName);
    m_data->SetSessionFilters();

    try {
        for (const char *name : {"taAgendidL", "taAgendidOmaL", "taKontaktiLiigidL", "taPyhad"})
            m_data->dataSet(QString::fromLatin1(name))->open();
    } catch (const std::exception &e) {
        const QString message = ErrorLog::messageOf(e);
        m_ui->showMessage(Translate(QStringLiteral("Andmebaasi avamise viga")) +
                              (message.isEmpty() ? QString() : QStringLiteral("\n") + message),
                          QApplication::applicationDisplayName());
        return 2;
    }

    m_usersAdmin = std::make_unique<TdmUsersAdmin1>(*m_data, m_session, m_ui,
                                                    m_prompt ? m_prompt : m_adminPrompt.get());
    m_main->onOpenWindow = [this](const QString &handler) {
        if (handler == QLatin1String("Kasutajaparoolimuutmine1Click")) {
            m_usersAdmin->ChangePassword(m_session.UserCode, false, [this](const QString &user, QString &current, QString &fresh) {
                TdlgChangePassw dlg(user, m_ui, m_main.get());
                if (dlg.exec() != QDialog::Accepted)
                    return false;
                current = dlg.currentPassword();
                fresh = dlg.newPassword();
                return true;
            });
        } else if (handler == QLatin1String("Programmiparameetrid1Click")) {
            ProgramParameters parameters(m_data->IBTransaction1());
            TdlgProgeParameetrid::Run(parameters, m_ui, m_main.get());
        } else if (handler == QLatin1String("Omafirmaandmed1Click")) {
            TdlgOmaFirmaAndmed::Run(m_data.get(), m_ui, m_main.get());
        } else if (handler == QLatin1String("Automaatnekoodidegenereerimine1Click")) {
            Generators generators(m_data->IBTransaction1());
            TdlgGenerators::Run(generators, m_ui, m_main.get());
        }
    };
    for (const auto &[name, value] : std::as_const(m_earlyMacros))
        m_main->takeMacro(name, value);
    m_earlyMacros.clear();

    m_main->show();
    QTimer::singleShot(0, m_main.get(), [this] {
        if (m_session.ProjectChoiceAllowed && m_session.DefaultProjectId <= 0)
            m_main->ChooseProject();
        else if (m_session.DefaultProjectId > 0)
            m_main->ActivateProject(m_session.DefaultProjectId);
    });
    return 0;
}
