#include "TfMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QHBoxLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include "data/ErrorLog.h"
#include "TAboutBox.h"
#include "clients/TfKlientEdit.h"
#include "contacts/TfKontaktEdit.h"
#include "contacts/TdmJKontaktEdit.h"
#include "contacts/TfJKontaktEdit.h"
#include "data/TdmUserSettings1.h"
#include "data/Translate.h"
#include "data/DataError.h"
#include "data/DataSet.h"
#include "data/FilterBuilder.h"
#include "data/Session.h"
#include "data/SqlStatement.h"
#include "data/TData1.h"
#include "data/UserInterface.h"
#include "reference/RebuildPhoneSearchWithProgress.h"
#include "ui/TfChildBtnBarForm01.h"
#include "ui/TfDataListForm1.h"
#include "ui/TfLk2FilterVorm1.h"
#include "ui/TfLk2Vorm01.h"
#include "ui/WindowPlacement.h"

struct TfMain::Command
{
    const char *menu;    // top menu and submenu, separated by '/'
    const char *caption;
    const char *handler;
    const char *shortcut;
    bool adminOnly;
    const char *window = nullptr; // the class of the child window the command opens
    int level = 0;                // the access level the command needs
};

namespace {

const char *const TopMenus[] = {"&Seadistused", "A&ndmed", "A&ruanded", "Küsitlused", "Lisad", "&Aknad", "Abiinfo"};

} // namespace

TfMain::TfMain(data::TData1 *data, data::Session *session, data::UserInterface *ui, QWidget *parent)
    : QMainWindow(parent), m_data(data), m_session(session), m_ui(ui), m_mdi(new QMdiArea(this)),
      m_toolBar(new QToolBar(this))
{
    setObjectName(QStringLiteral("fMain"));
    setWindowTitle(QApplication::applicationDisplayName().isEmpty() ? QStringLiteral("Lumora-Contact")
                                                                     : QApplication::applicationDisplayName());
    m_mdi->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(m_mdi);
    m_toolBar->setObjectName(QStringLiteral("tbMain"));
    m_toolBar->setMaximumHeight(28);
    m_toolBar->setMovable(false);
    addToolBar(m_toolBar);

    const char *fixedLabels[] = {"Kasutaja", nullptr, "Agent", nullptr, "Projekt", nullptr, nullptr};
    for (int i = 0; i < 7; ++i) {
        auto *label = new QLabel(fixedLabels[i] ? Translate(QString::fromUtf8(fixedLabels[i])) : QString(), this);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        label->setMinimumWidth(i == 6 ? 200 : (i % 2 ? 140 : 50));
        if (i == 6)
            statusBar()->addWidget(label, 1);
        else
            statusBar()->addWidget(label);
        m_panels << label;
    }
    buildCommands();
    resize(1024, 720);

    // Macros and the hint panel are taken care of when the program is idle.
    auto *idleTimer = new QTimer(this);
    idleTimer->setInterval(100);
    connect(idleTimer, &QTimer::timeout, this, &TfMain::idle);
    idleTimer->start();
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *sub) {
        showActiveButtonBar();
        mergeWindowMenu(sub);
    });
}

TfMain::~TfMain()
{
    // The child windows close while the frame is taken apart: the window menu and the settings may
    // be gone by then.
    m_mdi->disconnect(this);
    for (QMdiSubWindow *sub : m_mdi->subWindowList())
        sub->removeEventFilter(this);
    for (auto it = m_childBars.cbegin(); it != m_childBars.cend(); ++it)
        QObject::disconnect(it.key(), &QObject::destroyed, it.value(), nullptr);
    m_childBars.clear();
    m_settings = nullptr;
}

QAction *TfMain::add(QMenu *menu, const Command &c)
{
    auto *a = new QAction(Translate(QString::fromUtf8(c.caption)), this);
    a->setObjectName(QString::fromLatin1(c.handler));
    // Tool buttons and the hint panel show the caption without its accelerator and with the shortcut.
    QString hint = a->text();
    if (const qsizetype amp = hint.indexOf(QLatin1Char('&')); amp >= 0)
        hint.remove(amp, 1);
    if (c.shortcut && *c.shortcut)
        hint += QLatin1Char(' ') + QString::fromLatin1(c.shortcut);
    a->setStatusTip(hint);
    a->setToolTip(hint);
    if (c.shortcut && *c.shortcut)
        a->setShortcut(QKeySequence(QString::fromLatin1(c.shortcut)));
    const QString handler = QString::fromLatin1(c.handler);
    const bool adminOnly = c.adminOnly;
    const QString window = c.window ? QString::fromLatin1(c.window) : QString();
    const int level = c.level;
    // The errors of a command end here: Qt's menu and action code is not made to pass exceptions on.
    connect(a, &QAction::triggered, this, [this, handler, adminOnly, window, level] {
        try {
            if (adminOnly && !CheckRights(true))
                return;
            if (m_session->Level < level) {
                m_ui->showMessage(Translate(QStringLiteral("Antud toimingu jaoks kasutajanivoo liiga madal !")), windowTitle());
                return;
            }
            if (!window.isEmpty()) {
                OpenWindow(window);
                return;
            }
            runCommand(handler);
        } catch (const data::Abort &) {
            // A rule that refused has said so already.
        } catch (const std::exception &e) {
            reportCommandError(e);
        }
    });
    menu->addAction(a);
    return a;
}

void TfMain::buildCommands()
{
    static const Command commands[] = {
        {"&Seadistused", "Kontaktiliigid", "Kontaktiliigid1Click", "", false, "TfKontaktiLiigid"},
        {"&Seadistused", "Agendid", "Agendid1Click", "", false, "TfAgendid"},
        {"&Seadistused", "Tööplaani seadistused", "Maxmkjaminutid1Click", "", false, "TfAgMinutMaxMyyk"},
        {"&Seadistused/Kasutaja eelistused", "Kontakti registreerimisel ava klient", "Kontaktiregistreerimiselavaklient1Click", "", false},
        {"&Seadistused/Kasutaja eelistused", "Andmetele vaikimisi agendi filter", "Andmetelevaikimisiagendifilter1Click", "", false},
        {"&Seadistused/Kasutaja eelistused", "Nulli akende suuruste mälu", "Nulliakendesuurustemlu1Click", "", false},
        {"&Seadistused", "Kasutaja parooli muutmine", "Kasutajaparoolimuutmine1Click", "", false},
        {"&Seadistused", "Kasutajad", "Kasutajad1Click", "", true},
        {"&Seadistused", "Projektid", "Projektid1Click", "", false, "TfProjektid"},
        {"&Seadistused", "Aktiivse projekti valik", "Aktiivseprojektivalik1Click", "", false},
        {"&Seadistused", "Ei kasuta projekti", "Eikasutaprojekti1Click", "", false},
        {"&Seadistused", "Programmi üldparameetrid", "Programmiparameetrid1Click", "", true},
        {"&Seadistused", "Automaatne koodide genereerimine", "Automaatnekoodidegenereerimine1Click", "", true},
        {"&Seadistused", "Näita andmebaasi kasutajaid...", "Nitaandmebaasikasutajaid1Click", "", true},
        {"&Seadistused", "Oma firma andmed", "Omafirmaandmed1Click", "", true},
        {"&Seadistused/Hooldus", "Telefoninumbrite otsingutabeli korrastamine", "Telefoninumbriteotsingutabelikorrastamine1Click", "", true},
        {"&Seadistused/Andmete import", "Kliendid", "KLiendid2Click", "", false, nullptr, 3},
        {"&Seadistused/Andmete import", "Tooted", "Tooted1Click", "", false, nullptr, 3},
        {"&Seadistused/Andmete import", "Linnad-vallad", "Linnadvallad2Click", "", false, nullptr, 3},
        {"&Seadistused/Andmete import", "Riigid", "Riigid2Click", "", false, nullptr, 3},
        {"A&ndmed", "&Kliendid", "Kliendid1Click", "", false, "TfKliendidList"},
        {"A&ndmed", "Ava klient nr...", "Avaklientnr1Click", "", false},
        {"A&ndmed", "Kontakt&isikute koondtabel", "Kontaktisikutekoondtabel1Click", "", false, "TfKontaktIsikudKoond"},
        {"A&ndmed", "&Planeeritud kontaktid", "Tnaseksplaneeritudkontaktid1Click", "", false, "TfPlaneeritudKontaktid"},
        {"A&ndmed", "&Toimunud kontaktid", "Kontaktid1Click", "", false, "TfKontaktidKoond"},
        {"A&ndmed", "&Masspakkumised", "Masspakkumised1Click", "", false},
        {"A&ndmed", "Tooted", "menuAndmeDTootedClick", "", false, "TfTooted"},
        {"A&ndmed", "Tootegrupid", "Tootegrupid1Click", "", false, "TfTooteGrupid"},
        {"A&ndmed", "Tooted klientidel koondtabel", "Tootedklientidelkoondtabel1Click", "", false},
        {"A&ndmed", "Linnad-vallad", "Linnadvallad1Click", "", false, "TfLinnadVallad"},
        {"A&ndmed", "Riigid", "Riigid1Click", "", false, "TfRiigid"},
        {"A&ndmed", "Omandivormid", "Omandivormid1Click", "", false, "TfOmandiVormid"},
        {"A&ndmed", "Ametid", "Ametid1Click", "", false, "TfAmetid"},
        {"A&ndmed", "Klassifikaatorid", "Klassifikaatorid1Click", "", false, "TfKlassif1"},
        {"A&ndmed", "Klassifikaatorite grupid", "Klassifikaatoritegrupid1Click", "", false, "TfKlassif1Gr"},
        {"A&ndmed", "Riigipühad", "Riigiphad1Click", "", false, "TfPyhad"},
        {"A&ruanded", "Kontaktide koond", "Kontaktidekoond1Click", "", false},
        {"A&ruanded", "Agentide palgakoefitsiendid", "Agentidepalgakoefitsiendid1Click", "", false},
        {"Küsitlused/Koostamine", "Küsimused", "Ksimused1Click", "", false},
        {"Küsitlused/Koostamine", "Küsitlused", "Ksitlused2Click", "", false},
        {"Küsitlused", "Küsimine", "Ksimine1Click", "", false},
        {"Küsitlused", "Vastused detailselt", "Vastused1Click", "", false},
        {"Küsitlused", "Vastuste koond", "Vastustekoondaruanne1Click", "", false},
        {"Lisad", "Telefoninumbri otsing", "Telefoninumbriotsing1Click", "", false, "TfOtsiKliTelefon"},
        {"Lisad", "Väline kliendibaas", "Vlinekliendibaas1Click", "", false},
        {"Lisad", "Keele valik...", "Loekeel1Click", "", false},
        {"&Aknad", "Kõrvuti horisontaalselt", "TileHoriz1Click", "", false},
        {"&Aknad", "Kõrvuti vertikaalselt", "TileVert1Click", "", false},
        {"&Aknad", "Kaskaad", "Cascade1Click", "", false},
        {"&Aknad", "Korrasta ikoonid", "ArrangeIcons1Click", "", false},
        {"&Aknad", "Sulge kõik", "CloseAllChilds1Click", "", false},
        {"Abiinfo", "Abiinfo", "Help1Click", "F1", false},
        {"Abiinfo", "Kasutajajuhend (pdf)", "ManuaalPDF1Click", "", false},
        {"Abiinfo", "Progr&ammist...", "Programmist1Click", "", false},
    };
    QMap<QString, QMenu *> menus;
    for (const char *title : TopMenus) {
        QMenu *m = menuBar()->addMenu(Translate(QString::fromUtf8(title)));
        m->setObjectName(QString::fromUtf8(title));
        menus[QString::fromUtf8(title)] = m;
    }
    m_windowMenu = menus[QStringLiteral("&Aknad")];
    connect(m_windowMenu, &QMenu::aboutToShow, this, &TfMain::updateWindowMenu);
    for (const Command &c : commands) {
        const QString path = QString::fromUtf8(c.menu);
        QMenu *menu = menus.value(path);
        if (!menu) {
            QMenu *top = menus.value(path.section(QLatin1Char('/'), 0, 0));
            menu = top->addMenu(Translate(path.section(QLatin1Char('/'), 1)));
            menu->setObjectName(path);
            menus[path] = menu;
        }
        QAction *a = add(menu, c);
        if (path.endsWith(QLatin1String("Kasutaja eelistused")) && !QString::fromLatin1(c.handler).startsWith(QLatin1String("Nulli")))
            a->setCheckable(true);
    }
    m_windowMenu->addSeparator();
    auto *close = new QAction(Translate(QStringLiteral("Sulge")), this);
    close->setObjectName(QStringLiteral("Sulge1Click"));
    connect(close, &QAction::triggered, this, &QWidget::close);
    menuBar()->addAction(close);

    // The fixed part of the tool bar.
    m_toolBar->addAction(command(QStringLiteral("Tnaseksplaneeritudkontaktid1Click")));
    m_toolBar->addAction(command(QStringLiteral("Kliendid1Click")));
    close->setToolTip(Translate(QStringLiteral("Programmist väljumine Alt+F4")));
    close->setStatusTip(close->toolTip());
    m_toolBar->addAction(close);

    // The variable part: the button bar of the active child window, on a row of its own so that the
    // child's commands have the window's whole width and never hide behind the tool bar's overflow.
    auto *childRow = new QToolBar(this);
    childRow->setObjectName(QStringLiteral("tbActiveWindow"));
    childRow->setMovable(false);
    childRow->setFloatable(false);
    addToolBarBreak();
    addToolBar(childRow);
    m_toolPanel = new QWidget(childRow);
    m_toolPanel->setObjectName(QStringLiteral("panToolBar"));
    m_toolPanel->setMinimumHeight(26);
    auto *panelLayout = new QHBoxLayout(m_toolPanel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setSpacing(0);
    childRow->addWidget(m_toolPanel);
}

void TfMain::adoptButtonBar(QMdiSubWindow *sub, QWidget *window)
{
    QWidget *bar = window->findChild<QWidget *>(QStringLiteral("panToolBar"), Qt::FindDirectChildrenOnly);
    if (!bar)
        return;
    // The bar lives in the main tool bar from now on, hidden until its window is the active one, and
    // goes with its window.
    bar->hide();
    m_toolPanel->layout()->addWidget(bar);
    m_childBars.insert(sub, bar);
    connect(sub, &QObject::destroyed, bar, [this, sub, bar] {
        m_childBars.remove(sub);
        bar->deleteLater();
    });
}

void TfMain::showActiveButtonBar()
{
    QMdiSubWindow *active = m_mdi->activeSubWindow();
    QWidget *shown = active && !active->isMinimized() ? m_childBars.value(active) : nullptr;
    // One swap, one repaint.
    setUpdatesEnabled(false);
    for (auto it = m_childBars.cbegin(); it != m_childBars.cend(); ++it)
        if (it.value() != shown)
            it.value()->hide();
    if (shown)
        shown->show();
    setUpdatesEnabled(true);
}

QWidget *TfMain::activeButtonBar() const
{
    for (QWidget *bar : m_childBars)
        if (bar->isVisibleTo(m_toolPanel))
            return bar;
    return nullptr;
}

QAction *TfMain::command(const QString &handlerName) const
{
    return findChild<QAction *>(handlerName);
}

QStringList TfMain::menuTitles() const
{
    QStringList titles;
    for (QAction *a : menuBar()->actions())
        titles << a->text();
    return titles;
}

QLabel *TfMain::statusPanel(int index) const
{
    return m_panels.value(index);
}

void TfMain::runCommand(const QString &handler)
{
    if (handler == QLatin1String("Kontaktiregistreerimiselavaklient1Click")) {
        m_session->NewContactOpenClient = command(handler)->isChecked();
    } else if (handler == QLatin1String("Andmetelevaikimisiagendifilter1Click")) {
        m_session->DefaultAgentFilter = command(handler)->isChecked();
    } else if (handler == QLatin1String("Nulliakendesuurustemlu1Click")) {
        closeAllChildren();
        if (m_settings)
            m_settings->ForgetChildSizes();
        if (onForgetChildSizes)
            onForgetChildSizes();
    } else if (handler == QLatin1String("Aktiivseprojektivalik1Click")) {
        ChooseProject();
    } else if (handler == QLatin1String("Eikasutaprojekti1Click")) {
        if (m_session->ProjectChoiceAllowed)
            ActivateProject(0);
        else
            m_ui->showMessage(Translate(QStringLiteral("Projekti valik pole kasutajale lubatud")), windowTitle());
    } else if (handler == QLatin1String("Nitaandmebaasikasutajaid1Click")) {
        showAttachedUsers();
    } else if (handler == QLatin1String("Avaklientnr1Click")) {
        openClientByNumber();
    } else if (handler == QLatin1String("TileHoriz1Click")) {
        tileChildren(Qt::Horizontal);
    } else if (handler == QLatin1String("TileVert1Click")) {
        tileChildren(Qt::Vertical);
    } else if (handler == QLatin1String("Cascade1Click")) {
        m_mdi->cascadeSubWindows();
    } else if (handler == QLatin1String("ArrangeIcons1Click")) {
        arrangeIcons();
    } else if (handler == QLatin1String("CloseAllChilds1Click")) {
        closeAllChildren();
    } else if (handler == QLatin1String("Programmist1Click")) {
        aboutBox();
    } else if (handler == QLatin1String("ManuaalPDF1Click") || handler == QLatin1String("Help1Click")) {
        const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/Help/");
        QDesktopServices::openUrl(QUrl::fromLocalFile(dir + (handler == QLatin1String("Help1Click")
                                                                  ? QStringLiteral("velkora1.hlp")
                                                                  : QStringLiteral("manual-ee.pdf"))));
    } else if (handler == QLatin1String("Telefoninumbriteotsingutabelikorrastamine1Click")) {
        RebuildPhoneSearchWithProgress(*m_data, this);
    } else if (onOpenWindow) {
        onOpenWindow(handler);
    }
}

void TfMain::ShowChild(QWidget *window)
{
    QMdiSubWindow *active = m_mdi->activeSubWindow();
    const bool maximised = active && active->isMaximized() && !active->isMinimized();
    QMdiSubWindow *sub = qobject_cast<QMdiSubWindow *>(window->parentWidget());
    if (!sub) {
        // A window that was given its size opens at that size, not at its smallest.
        const QSize designed = window->size();
        const bool sized = window->testAttribute(Qt::WA_Resized);
        sub = m_mdi->addSubWindow(window);
        sub->adjustSize();
        if (sized)
            sub->resize(designed + (sub->size() - window->size()));
        // A window made for a larger screen first opens no larger than the main area (its layout
        // permitting); a size the user gave it later is kept as given.
        const QSize room = m_mdi->viewport()->size();
        if (sub->width() > room.width() || sub->height() > room.height())
            sub->resize(sub->size().boundedTo(room).expandedTo(sub->minimumSizeHint()));
        // A child opens at the size the user last gave a window of its kind, and a child closed in
        // the normal state remembers its size.
        if (m_settings)
            WindowPlacement::restoreChildSize(*m_settings, sub, WindowPlacement::classNameOf(window));
        // A remembered size that no longer fits the main area opens at the top left.
        const QSize area = m_mdi->viewport()->size();
        if (sub->y() + sub->height() >= area.height() || sub->x() + sub->width() >= area.width())
            sub->move(0, 0);
        sub->installEventFilter(this);
        adoptButtonBar(sub, window);
        connect(sub, &QMdiSubWindow::windowStateChanged, this, &TfMain::showActiveButtonBar);
    }
    sub->setAttribute(Qt::WA_DeleteOnClose);
    if (maximised)
        sub->showMaximized();
    else
        sub->showNormal();
    m_mdi->setActiveSubWindow(sub);
}

QWidget *TfMain::OpenWindow(const QString &className)
{
    // One window of a kind: a second command brings the first forward.
    // A window that was closed may wait a moment to be deleted: it counts as gone.
    if (QWidget *open = m_windows.value(className); open && open->parentWidget() && open->parentWidget()->isVisible()) {
        ShowChild(open);
        return open;
    }
    if (!windowFactory)
        return nullptr;
    data::WaitCursor wait(m_ui);
    QWidget *window = windowFactory(className);
    if (!window)
        return nullptr;
    m_windows.insert(className, window);
    ShowChild(window);
    return window;
}

void TfMain::ShowChild(QObject *window)
{
    if (auto *w = qobject_cast<QWidget *>(window))
        ShowChild(w);
}

void TfMain::DisableClientListFilter()
{
    if (auto *list = qobject_cast<TfDataListForm1 *>(openWindow(QStringLiteral("TfKliendidList"))))
        list->DisableFilter();
}

QWidget *TfMain::openWindow(const QString &className) const
{
    return m_windows.value(className);
}

void TfMain::mergeWindowMenu(QMdiSubWindow *sub)
{
    // The active child's own menu stands in the menu bar before "&Aknad" while the child is active.
    QMenu *menu = sub && sub->widget() ? sub->widget()->findChild<QMenu *>(QStringLiteral("Vorm1"), Qt::FindDirectChildrenOnly)
                                       : nullptr;
    if (menu == m_mergedMenu)
        return;
    if (m_mergedMenu)
        menuBar()->removeAction(m_mergedMenu->menuAction());
    m_mergedMenu = menu;
    if (menu)
        menuBar()->insertAction(m_windowMenu->menuAction(), menu->menuAction());
}

void TfMain::OpenClientCard(int clientCode, int page)
{
    data::WaitCursor wait(m_ui);
    if (!clientCardFactory) {
        if (onOpenWindow)
            onOpenWindow(QStringLiteral("OpenClientCard:%1:%2").arg(clientCode).arg(page));
        return;
    }
    if (TfKlientEdit *open = clientCard(clientCode)) {
        ShowChild(open);
        open->ShowPage(page);
        return;
    }
    TfKlientEdit *card = clientCardFactory(clientCode, page);
    if (!card)
        return;
    if (!card->isOpened()) {
        delete card;
        return;
    }
    m_clientCards.append(card);
    ShowChild(card);
}

void TfMain::OpenProduct(int productId)
{
    auto *products = qobject_cast<TfLk2Vorm01 *>(OpenWindow(QStringLiteral("TfTooted")));
    data::DataSet *rows = products ? products->dataSet() : nullptr;
    if (!rows || productId <= 0)
        return;
    if (!rows->isActive())
        rows->open();
    if (rows->locate(QStringLiteral("TOOTEID"), productId))
        return;
    // The window's own filter may hide the product: without it, every product is there.
    if (auto *filtered = qobject_cast<TfLk2FilterVorm1 *>(products)) {
        filtered->DisableFilter();
        rows->locate(QStringLiteral("TOOTEID"), productId);
    }
}

void TfMain::PlanContact(int clientCode, const QString &clientName, const data::DataSet *source,
                         const QString &personName, int personCode)
{
    if (clientCode <= 0 || !m_data)
        return;
    data::WaitCursor wait(m_ui);
    auto *window = new TfJKontaktEdit(WindowContext{m_data, m_ui}, -1, clientCode, clientName, personCode, personName);
    if (!window->isOpened()) {
        delete window;
        return;
    }
    if (source)
        window->module()->CopyFromSource(*source);
    m_planWindows.removeIf([](const QPointer<TfJKontaktEdit> &w) { return w.isNull(); });
    m_planWindows.append(window);
    ShowChild(window);
}

TfJKontaktEdit *TfMain::planWindow(int planId) const
{
    for (const QPointer<TfJKontaktEdit> &window : m_planWindows) {
        // A window that was closed may wait a moment to be deleted: it counts as gone.
        if (window && planId > 0 && window->PlanId() == planId && window->parentWidget()
            && window->parentWidget()->isVisible())
            return window;
    }
    return nullptr;
}

void TfMain::OpenNextContact(int nextContactId)
{
    if (nextContactId <= 0 || !m_data)
        return;
    if (TfJKontaktEdit *open = planWindow(nextContactId)) {
        ShowChild(open);
        return;
    }
    data::WaitCursor wait(m_ui);
    auto *window = new TfJKontaktEdit(WindowContext{m_data, m_ui}, nextContactId);
    if (!window->isOpened()) {
        delete window;
        return;
    }
    m_planWindows.removeIf([](const QPointer<TfJKontaktEdit> &w) { return w.isNull(); });
    m_planWindows.append(window);
    ShowChild(window);
}

void TfMain::NewClientCard()
{
    data::WaitCursor wait(m_ui);
    if (!clientCardFactory) {
        if (onOpenWindow)
            onOpenWindow(QStringLiteral("NewClientCard"));
        return;
    }
    TfKlientEdit *card = clientCardFactory(0, 0);
    if (!card)
        return;
    m_clientCards.append(card);
    ShowChild(card);
}

TfKlientEdit *TfMain::clientCard(int clientCode) const
{
    for (const QPointer<TfKlientEdit> &card : m_clientCards) {
        // A card that was closed may wait a moment to be deleted: it counts as gone.
        if (card && card->isOpened() && card->ClientCode() == clientCode && clientCode > 0 && card->parentWidget()
            && card->parentWidget()->isVisible())
            return card;
    }
    return nullptr;
}

bool TfMain::CheckRights(bool adminOnly)
{
    if ((m_session->Level == 0 && !adminOnly) || (m_session->Level < 5 && adminOnly)) {
        m_ui->showMessage(Translate(QStringLiteral("Kasutajaõigused puuduvad !\r\nPöörduge süsteemi administraatori poole.")),
                          Translate(QStringLiteral("Teade")));
        return false;
    }
    return true;
}

void TfMain::ActivateProject(int projectId)
{
    QString name;
    if (projectId > 0 && m_data && m_data->Connected()) {
        data::SqlStatement q(m_data->IBTransaction1());
        q.setSql(QStringLiteral("select PROJNIMI from PROJEKT where PROJID = :PROJID"));
        q.setParam(QStringLiteral("PROJID"), projectId);
        name = q.scalar().toString();
    }
    m_session->ActiveProjectId = name.isEmpty() ? 0 : projectId;
    m_session->ActiveProjectName = name;
    m_panels[5]->setText(name);
}

void TfMain::SetStatusUser(const QString &userName, const QString &agentName)
{
    m_panels[1]->setText(userName);
    m_panels[3]->setText(agentName);
}

bool TfMain::RegisterContact(int clientCode, int agentCode, const QString &agentName, const QString &personName,
                             const QString &clientName, int plannedContactId, int personCode)
{
    const QString title = Translate(QStringLiteral("Kontakti registreerimine"));
    if (m_session->Level <= 2) {
        if (agentCode <= 0 || agentCode == m_session->AgentCode) {
            if (!m_data->IsOwnClient(clientCode)) {
                m_ui->showMessage(Translate(QStringLiteral("Teise agendi klientidega kontaktide registreerimiseks vajalik kõrgem kasutajanivoo !")),
                                  title);
                return false;
            }
        } else {
            m_ui->showMessage(Translate(QStringLiteral("Agendil lubatud registreerida vaid oma kontaktiplaneeringuid !")), title);
            return false;
        }
    }
    if (m_session->NewContactOpenClient)
        OpenClientCard(clientCode, 1);
    data::WaitCursor wait(m_ui);
    auto *window = new TfKontaktEdit(WindowContext{m_data, m_ui}, true, 0);
    contacts::ContactRequest request;
    request.clientCode = clientCode;
    request.agentCode = agentCode;
    request.agentName = agentName;
    request.personName = personName;
    request.clientName = clientName;
    request.planId = plannedContactId;
    request.personCode = personCode;
    bool prepared = false;
    try {
        prepared = window->Prepare(request);
    } catch (...) {
        delete window;
        throw;
    }
    if (!prepared) {
        delete window;
        return false;
    }
    m_contactWindows.append(window);
    m_newContact = window;
    ShowChild(window);
    return true;
}

TfKontaktEdit *TfMain::contactWindow(int contactId) const
{
    for (const QPointer<TfKontaktEdit> &w : m_contactWindows) {
        if (w && contactId > 0 && w->ContactId() == contactId && w->parentWidget() && w->parentWidget()->isVisible())
            return w;
    }
    return nullptr;
}

void TfMain::OpenContact(int contactId)
{
    if (contactId <= 0)
        return;
    data::WaitCursor wait(m_ui);
    if (TfKontaktEdit *open = contactWindow(contactId)) {
        ShowChild(open);
        return;
    }
    auto *window = new TfKontaktEdit(WindowContext{m_data, m_ui}, false, contactId);
    if (!window->isOpened()) {
        delete window;
        return;
    }
    m_contactWindows.append(window);
    ShowChild(window);
}

void TfMain::ChooseProject()
{
    if (!m_session->ProjectChoiceAllowed) {
        m_ui->showMessage(Translate(QStringLiteral("Projekti valik pole kasutajale lubatud")), windowTitle());
        return;
    }
    data::DataSet *list = m_data->dataSet(QStringLiteral("taProjektidL"));
    if (!list)
        return;
    data::ApplyWhere(*list, QStringLiteral("ProjAktiivne='Y'"));
    if (!list->isActive())
        list->open();
    if (list->recordCount() > 0) {
        data::RecordChoice choice;
        choice.caption = Translate(QStringLiteral("Projekti valik")) + QStringLiteral(" - ") + windowTitle();
        choice.dataSet = list;
        choice.keyField = QStringLiteral("PROJID");
        choice.currentKey = m_session->ActiveProjectId > 0 ? QString::number(m_session->ActiveProjectId) : QString();
        choice.filterMode = true;
        choice.baseCondition = QStringLiteral("ProjAktiivne='Y'");
        choice.filterOffCaption = Translate(QStringLiteral("&Näita kõiki"));
        QString key;
        if (m_ui->selectRecord(choice, key))
            ActivateProject(key.toInt());
    }
    data::ApplyWhere(*list, QString());
}

void TfMain::takeMacro(const QString &name, int value)
{
    if (name == QLatin1String("ShowClient"))
        PendingClientId = value;
    else if (name == QLatin1String("ActivateProject"))
        PendingProjectId = value;
}

void TfMain::idle()
{
    if (PendingClientId > 0) {
        if (isMinimized()) {
            showNormal();
        } else {
            const int id = PendingClientId;
            PendingClientId = 0;
            OpenClientCard(id, 0);
        }
        activateWindow();
        raise();
    }
    if (PendingProjectId > 0) {
        const int id = PendingProjectId;
        PendingProjectId = 0;
        if (id != m_session->ActiveProjectId && m_session->ProjectChoiceAllowed)
            ActivateProject(id);
    }
}

void TfMain::closeAllChildren()
{
    const QList<QMdiSubWindow *> windows = m_mdi->subWindowList();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        (*it)->close();
}

void TfMain::showAttachedUsers()
{
    QString text = Translate(QStringLiteral("Andmebaasi kasutajad")) + QLatin1Char(':');
    for (const QString &name : m_data->Database1().attachedUserNames())
        text += QStringLiteral("\r\n") + name;
    m_ui->showMessage(text, windowTitle());
}

void TfMain::openClientByNumber()
{
    QString value;
    if (!m_ui->inputBox(Translate(QStringLiteral("Ava klient")), Translate(QStringLiteral("Sisestage kliendi kood:")), value))
        return;
    bool ok = false;
    const int code = value.trimmed().toInt(&ok);
    if (!ok)
        throw data::DataError(QStringLiteral("'%1' is not a valid integer value").arg(value));
    OpenClientCard(code, 0);
}

void TfMain::aboutBox()
{
    TAboutBox box(m_ui, QString(), this);
    box.exec();
}

void TfMain::updateWindowMenu()
{
    // Built afresh each time the menu opens: an entry never outlives its window.
    for (QAction *a : std::as_const(m_windowListActions)) {
        m_windowMenu->removeAction(a);
        a->deleteLater();
    }
    m_windowListActions.clear();
    int n = 0;
    for (QMdiSubWindow *w : m_mdi->subWindowList()) {
        auto *a = new QAction(QStringLiteral("&%1 %2").arg(++n).arg(w->windowTitle()), m_windowMenu);
        a->setCheckable(true);
        a->setChecked(w == m_mdi->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, sub = QPointer<QMdiSubWindow>(w)] {
            if (sub)
                m_mdi->setActiveSubWindow(sub);
        });
        m_windowMenu->addAction(a);
        m_windowListActions << a;
    }
}

void TfMain::tileChildren(Qt::Orientation orientation)
{
    // Minimised windows keep their place; maximised ones come back to normal to take their share.
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *w : m_mdi->subWindowList())
        if (w->isVisible() && !w->isMinimized())
            windows << w;
    if (windows.isEmpty())
        return;
    const QRect area = m_mdi->viewport()->rect();
    const int n = static_cast<int>(windows.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow *w = windows.at(i);
        if (w->isMaximized())
            w->showNormal();
        // Horizontally: rows as wide as the area, one under the other; vertically: columns side by side.
        if (orientation == Qt::Horizontal) {
            const int top = area.height() * i / n, bottom = area.height() * (i + 1) / n;
            w->setGeometry(area.left(), area.top() + top, area.width(), bottom - top);
        } else {
            const int left = area.width() * i / n, right = area.width() * (i + 1) / n;
            w->setGeometry(area.left() + left, area.top(), right - left, area.height());
        }
    }
}

void TfMain::arrangeIcons()
{
    // The minimised windows in a row along the bottom, a new row above when one is full.
    const QRect area = m_mdi->viewport()->rect();
    int x = area.left(), bottom = area.bottom() + 1, rowHeight = 0;
    for (QMdiSubWindow *w : m_mdi->subWindowList()) {
        if (!w->isVisible() || !w->isMinimized())
            continue;
        const QSize size = w->size();
        if (x > area.left() && x + size.width() > area.right() + 1) {
            x = area.left();
            bottom -= rowHeight;
            rowHeight = 0;
        }
        w->move(x, bottom - size.height());
        x += size.width();
        rowHeight = std::max(rowHeight, size.height());
    }
}

void TfMain::reportCommandError(const std::exception &e)
{
    if (onCommandError)
        onCommandError(e);
    else
        m_ui->showMessage(ErrorLog::messageOf(e), windowTitle());
}

bool TfMain::event(QEvent *event)
{
    // The hint of whatever is under the pointer goes to the last status panel.
    if (event->type() == QEvent::StatusTip) {
        m_panels[6]->setText(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TfMain::closeEvent(QCloseEvent *event)
{
    // Each open window with unsaved changes asks first; Cancel in any of them keeps the program.
    for (QMdiSubWindow *sub : m_mdi->subWindowList()) {
        auto *child = qobject_cast<TfChildBtnBarForm01 *>(sub->widget());
        if (!child)
            continue;
        TfChildBtnBarForm01::SaveAnswer answer = TfChildBtnBarForm01::SaveAnswer::Cancel;
        if (!child->runCommand([child, &answer] { answer = child->AskSave(); })
            || answer == TfChildBtnBarForm01::SaveAnswer::Cancel) {
            m_mdi->setActiveSubWindow(sub);
            event->ignore();
            return;
        }
    }
    if (confirmClose && m_ui->ask(Translate(QStringLiteral("Kas soovite väljuda ?")), windowTitle(),
                                  data::UserInterface::Buttons::YesNo) != data::UserInterface::Answer::Yes) {
        event->ignore();
        return;
    }
    storeSettings();
    event->accept();
}

bool TfMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Close && m_settings) {
        if (auto *sub = qobject_cast<QMdiSubWindow *>(watched); sub && sub->widget())
            WindowPlacement::storeChildSize(*m_settings, sub, WindowPlacement::classNameOf(sub->widget()));
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TfMain::restorePlacement()
{
    return m_settings && WindowPlacement::restore(*m_settings, QStringLiteral("MainWindow"), this);
}

void TfMain::storeSettings()
{
    if (m_settings) {
        // Child windows still open when the program ends remember their sizes as if closed.
        for (QMdiSubWindow *sub : m_mdi->subWindowList())
            if (sub->widget())
                WindowPlacement::storeChildSize(*m_settings, sub, WindowPlacement::classNameOf(sub->widget()));
        WindowPlacement::store(*m_settings, QStringLiteral("MainWindow"), this);
        m_settings->WriteBool(QString::fromLatin1(TdmUserSettings1::PreferencesSection),
                              QString::fromLatin1(TdmUserSettings1::NewContactOpenClientKey),
                              m_session->NewContactOpenClient);
        m_settings->WriteBool(QString::fromLatin1(TdmUserSettings1::PreferencesSection),
                              QString::fromLatin1(TdmUserSettings1::DefaultAgentFilterKey),
                              m_session->DefaultAgentFilter);
        // The program ends after this: a failure to write is shown, and the window still closes.
        if (m_data && m_data->Connected()) {
            try {
                m_settings->saveToUser(m_data->IBTransaction1(), m_session->UserCode);
            } catch (const std::exception &e) {
                m_ui->showMessage(Translate(QStringLiteral("Kasutaja seadistuste salvestamine ebaõnnestus")) +
                                      QStringLiteral("\n") + ErrorLog::messageOf(e),
                                  windowTitle());
            }
        }
    }
    if (onStoreSettings)
        onStoreSettings();
}
