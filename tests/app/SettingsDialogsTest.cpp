// Windows put back where the user left them, and the parameters and generators dialogs driven through
// their controls offscreen, against an embedded database.

#include <gtest/gtest.h>

#include "QtPrinters.h"

#include <functional>
#include <memory>

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "ScriptedUserInterface.h"
#include "WindowDriver.h"
#include "TempDatabase.h"
#include "data/Generators.h"
#include "data/ProgramParameters.h"
#include "app/TdlgGenerators.h"
#include "app/TdlgProgeParameetrid.h"
#include "data/TdmUserSettings1.h"
#include "app/VelkoraApplication.h"
#include "data/DataError.h"
#include "fb/Statement.h"
#include "fb/Transaction.h"
#include "ui/WindowPlacement.h"

namespace {

// What reached the program's error handler.
QStringList g_errors;

QPushButton *button(QWidget *dlg, const QString &text)
{
    for (QPushButton *b : dlg->findChildren<QPushButton *>())
        if (b->text() == text)
            return b;
    return nullptr;
}

std::unique_ptr<TdmUserSettings1> loadedSettings(const QTemporaryDir &dir, const QString &text = QString())
{
    auto s = std::make_unique<TdmUserSettings1>(dir.filePath(QStringLiteral("velkora1IB")), dir.path(),
                                                dir.filePath(QStringLiteral("registry.ini")));
    s->load(text);
    return s;
}

// ---------------------------------------------------------------------------------------------------

TEST(WindowPlacementTest, MainWindowComesBackToItsNormalPlaceAndThenMaximised)
{
    QTemporaryDir dir;
    auto settings = loadedSettings(dir);
    {
        QMainWindow w;
        auto *bar = w.addToolBar(QStringLiteral("Nupud"));
        bar->setObjectName(QStringLiteral("tbMain"));
        w.setGeometry(100, 120, 640, 480);
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        w.setGeometry(110, 130, 700, 500);
        QApplication::processEvents();
        WindowPlacement::store(*settings, QStringLiteral("MainWindow"), &w);
        EXPECT_EQ(settings->ReadSetting(QStringLiteral("MainWindow"), QStringLiteral("Maximized")),
                  QStringLiteral("0"));
        EXPECT_EQ(settings->ReadInteger(QStringLiteral("MainWindow"), QStringLiteral("Left"), 0), 110);
        EXPECT_EQ(settings->ReadInteger(QStringLiteral("MainWindow"), QStringLiteral("Top"), 0), 130);
        EXPECT_EQ(settings->ReadInteger(QStringLiteral("MainWindow"), QStringLiteral("Width"), 0), 700);
        EXPECT_EQ(settings->ReadInteger(QStringLiteral("MainWindow"), QStringLiteral("Height"), 0), 500);

        // Closed maximised, with the tool bar hidden.
        bar->hide();
        w.showMaximized();
        QApplication::processEvents();
        ASSERT_TRUE(w.isMaximized());
        WindowPlacement::store(*settings, QStringLiteral("MainWindow"), &w);
        EXPECT_EQ(settings->ReadSetting(QStringLiteral("MainWindow"), QStringLiteral("Maximized")),
                  QStringLiteral("1"));
        EXPECT_EQ(settings->ReadInteger(QStringLiteral("MainWindow"), QStringLiteral("Width"), 0), 700);
    }

    // The next start: first the old normal size, then maximised.
    QMainWindow w;
    auto *bar = w.addToolBar(QStringLiteral("Nupud"));
    bar->setObjectName(QStringLiteral("tbMain"));
    w.setGeometry(10, 10, 200, 150);
    ASSERT_TRUE(WindowPlacement::restore(*settings, QStringLiteral("MainWindow"), &w));
    EXPECT_TRUE(w.isMaximized());
    EXPECT_EQ(w.normalGeometry(), QRect(110, 130, 700, 500));
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_TRUE(w.isMaximized());
    EXPECT_FALSE(bar->isVisible());
    w.showNormal();
    QApplication::processEvents();
    EXPECT_EQ(w.geometry(), QRect(110, 130, 700, 500));

    // A placement never stored leaves the window as it is.
    QWidget other;
    other.setGeometry(5, 6, 70, 80);
    EXPECT_FALSE(WindowPlacement::restore(*settings, QStringLiteral("Muu"), &other));
    EXPECT_EQ(other.geometry(), QRect(5, 6, 70, 80));
    EXPECT_FALSE(other.isMaximized());
}

TEST(WindowPlacementTest, WindowStoredInTheNormalStateStaysNormal)
{
    QTemporaryDir dir;
    auto settings = loadedSettings(dir, QStringLiteral("[Aken]\r\nMaximized=0\r\nLeft=50\r\nTop=60\r\nWidth=300\r\n"
                                                       "Height=200\r\n"));
    QWidget w;
    w.showMaximized();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_TRUE(WindowPlacement::restore(*settings, QStringLiteral("Aken"), &w));
    QApplication::processEvents();
    EXPECT_FALSE(w.isMaximized());
    EXPECT_EQ(w.geometry(), QRect(50, 60, 300, 200));
}

TEST(WindowPlacementTest, ChildSizesAreRememberedUntilForgotten)
{
    QTemporaryDir dir;
    auto settings = loadedSettings(dir);
    QLabel child(QStringLiteral("Kliendid"));
    child.setGeometry(30, 40, 400, 300);
    child.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&child));
    child.resize(420, 310);
    WindowPlacement::storeChildSize(*settings, &child, QStringLiteral("TfKliendid"));
    WindowPlacement::storeChildSize(*settings, &child);
    EXPECT_EQ(settings->ReadInteger(QStringLiteral("Windows"), QStringLiteral("TfKliendid.Width"), 0), 420);
    EXPECT_EQ(settings->ReadInteger(QStringLiteral("Windows"), QStringLiteral("QLabel.Height"), 0), 310);

    // A maximised child's size is not the user's.
    child.showMaximized();
    QApplication::processEvents();
    WindowPlacement::storeChildSize(*settings, &child, QStringLiteral("TfKliendid"));
    EXPECT_EQ(settings->ReadInteger(QStringLiteral("Windows"), QStringLiteral("TfKliendid.Width"), 0), 420);

    QLabel again(QStringLiteral("Kliendid"));
    again.setGeometry(70, 80, 200, 100);
    WindowPlacement::restoreChildSize(*settings, &again, QStringLiteral("TfKliendid"));
    EXPECT_EQ(again.geometry(), QRect(70, 80, 420, 310));

    settings->ForgetChildSizes();
    QLabel designed(QStringLiteral("Kliendid"));
    designed.setGeometry(70, 80, 200, 100);
    WindowPlacement::restoreChildSize(*settings, &designed, QStringLiteral("TfKliendid"));
    WindowPlacement::restoreChildSize(*settings, &designed);
    EXPECT_EQ(designed.geometry(), QRect(70, 80, 200, 100));
}

// ---------------------------------------------------------------------------------------------------

class DialogTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_db = new TempDatabase(QStringLiteral("dialogs.fdb"));
        // Every row written to KPARAMS, in the order it was written.
        s_db->execute({"create table PARAMLOG (N integer not null, NAME varchar(50), VAL varchar(255))",
                       "create generator PARAMLOG_GEN"});
        s_db->execute({"create trigger KPARAMS_LOG for KPARAMS after insert or update as begin "
                       "insert into PARAMLOG (N, NAME, VAL) values (gen_id(PARAMLOG_GEN, 1), new.PARAMEETER, "
                       "new.TEKSTVAARTUS); end"});
    }
    static void TearDownTestSuite()
    {
        delete s_db;
        s_db = nullptr;
    }
    void SetUp() override
    {
        g_errors.clear();
        s_db->execute({"delete from KPARAMS", "delete from PARAMLOG"});
        att = s_db->connect();
        tr = std::make_unique<fb::Transaction>(att);
    }
    void TearDown() override
    {
        if (tr->isActive())
            tr->commit();
        tr.reset();
        att.detach();
    }

    static void setParameters(std::initializer_list<std::pair<const char *, const char *>> values)
    {
        fb::Attachment a = s_db->connect();
        fb::Transaction t(a);
        for (const auto &[name, value] : values) {
            fb::Statement st(t, "insert into KPARAMS (PARAMEETER, TEKSTVAARTUS) values (?, ?)");
            st.setString(0, QString::fromUtf8(name));
            st.setString(1, QString::fromUtf8(value));
            st.execute();
        }
        fb::Statement clear(t, "delete from PARAMLOG");
        clear.execute();
        t.commit();
    }
    // Names and values written, in their order, as another connection sees them.
    static QStringList written()
    {
        fb::Attachment a = s_db->connect();
        fb::Transaction t(a);
        fb::Statement st(t, "select NAME, VAL from PARAMLOG order by N");
        st.execute();
        QStringList out;
        while (st.fetch())
            out << st.getString(0) + QLatin1Char('=') + st.getString(1);
        return out;
    }
    static qint64 generatorElsewhere(const QString &name, const QString &set = QString())
    {
        fb::Attachment a = s_db->connect();
        fb::Transaction t(a);
        t.start();
        if (!set.isEmpty())
            a.executeImmediate(t, "set generator " + name + " to " + set);
        fb::Statement st(t, "select gen_id(" + name + ", 0) from RDB$DATABASE");
        st.execute();
        st.fetch();
        const qint64 v = st.getInt(0);
        st.closeCursor();
        t.commit();
        return v;
    }

    static TempDatabase *s_db;
    fb::Attachment att;
    std::unique_ptr<fb::Transaction> tr;
    ScriptedUserInterface ui;
};
TempDatabase *DialogTest::s_db = nullptr;

struct ParameterControls
{
    explicit ParameterControls(QWidget *dlg)
        : dialer(dlg->findChild<QLineEdit *>(QStringLiteral("edDialerOutsideLineAccess")))
        , documents(dlg->findChild<QLineEdit *>(QStringLiteral("edDocumentsRootDirectory")))
        , smtp(dlg->findChild<QLineEdit *>(QStringLiteral("edSMTPServerHost")))
        , msgType(dlg->findChild<QComboBox *>(QStringLiteral("cbDefaultMailMsgType")))
        , mapi(dlg->findChild<QRadioButton *>(QStringLiteral("rbMAPI")))
        , direct(dlg->findChild<QRadioButton *>(QStringLiteral("rbOtse")))
        , ok(button(dlg, QStringLiteral("&OK")))
        , cancel(button(dlg, QStringLiteral("&Cancel")))
        , browse(button(dlg, QStringLiteral("...")))
    {
    }
    bool found() const { return dialer && documents && smtp && msgType && mapi && direct && ok && cancel && browse; }

    QLineEdit *dialer;
    QLineEdit *documents;
    QLineEdit *smtp;
    QComboBox *msgType;
    QRadioButton *mapi;
    QRadioButton *direct;
    QPushButton *ok;
    QPushButton *cancel;
    QPushButton *browse;
};

using ParametersDialogTest = DialogTest;

TEST_F(ParametersDialogTest, ShowsTheStoredValuesUnderItsCaptions)
{
    setParameters({{"DialerOutsideLineAccess", " 9,"},
                   {"DocumentsRootDirectory", "srv:/export/dokumendid"},
                   {"EMailMethodIndex", "1"},
                   {"SMTPServerHost", "mail.lumora.ee"},
                   {"DefaultMailMsgType", "FAX"}});
    ProgramParameters parameters(*tr);
    TdlgProgeParameetrid dlg(parameters, &ui);
    ParameterControls c(&dlg);
    ASSERT_TRUE(c.found());
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));

    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Programmi parameetrid"));
    EXPECT_TRUE(dlg.isModal());
    EXPECT_EQ(c.dialer->text(), QStringLiteral(" 9,"));
    EXPECT_EQ(c.documents->text(), QStringLiteral("srv:/export/dokumendid"));
    EXPECT_EQ(c.documents->toolTip(), QStringLiteral("Dokumendifailide juurkataloog"));
    EXPECT_TRUE(c.direct->isChecked());
    EXPECT_FALSE(c.mapi->isChecked());
    EXPECT_EQ(c.smtp->text(), QStringLiteral("mail.lumora.ee"));
    EXPECT_EQ(c.msgType->currentText(), QStringLiteral("FAX"));
    QStringList types;
    for (int i = 0; i < c.msgType->count(); ++i)
        types << c.msgType->itemText(i);
    EXPECT_EQ(types, QStringList({"", "SMTP", "FAX"}));
    EXPECT_EQ(c.mapi->text(), QStringLiteral("MAPI"));
    EXPECT_EQ(c.direct->text(), QStringLiteral("Otse"));

    QStringList labels;
    for (const QLabel *l : dlg.findChildren<QLabel *>())
        labels << l->text();
    for (const char *caption : {"Telefoni numbrivalija välisliini avamiskood:", "Dokumendifailide juurkataloog:",
                                "SMTP-serveri aadress:", "E-maili sõnumi aadressi tüüp (MAPI):"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(caption))) << caption;
    QStringList groups;
    for (const QGroupBox *g : dlg.findChildren<QGroupBox *>())
        groups << g->title();
    EXPECT_EQ(groups,
              QStringList({QStringLiteral("E-maili saatmise meetod (masspakkumised)"),
                           QStringLiteral("Otse-E-maili seadistused"), QStringLiteral("MAPI E-maili seadistused")}));
    QTest::mouseClick(c.cancel, Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
}

TEST_F(ParametersDialogTest, OkStoresInItsOrderTrimmingAllButTheDialerCode)
{
    setParameters({{"DialerOutsideLineAccess", "0"},
                   {"DocumentsRootDirectory", "/vana"},
                   {"EMailMethodIndex", "0"},
                   {"SMTPServerHost", "vana.lumora.ee"},
                   {"DefaultMailMsgType", "SMTP"}});
    ProgramParameters parameters(*tr);
    TdlgProgeParameetrid dlg(parameters, &ui);
    ParameterControls c(&dlg);
    ASSERT_TRUE(c.found());
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));

    replaceText(c.dialer, QStringLiteral(" 8, "));
    replaceText(c.documents, QStringLiteral("  /srv/Dokumendid ja Šabloonid  "));
    QTest::mouseClick(c.direct, Qt::LeftButton);
    replaceText(c.smtp, QStringLiteral(" smtp.lumora.ee "));
    replaceText(c.msgType->lineEdit(), QStringLiteral(" FAX  "));
    QTest::mouseClick(c.ok, Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(dlg.isVisible());

    EXPECT_EQ(written(),
              QStringList({QStringLiteral("DialerOutsideLineAccess= 8, "),
                           QStringLiteral("DocumentsRootDirectory=/srv/Dokumendid ja Šabloonid"),
                           QStringLiteral("DefaultMailMsgType=FAX"), QStringLiteral("SMTPServerHost=smtp.lumora.ee"),
                           QStringLiteral("EMailMethodIndex=1")}));
}

TEST_F(ParametersDialogTest, OkCreatesMissingParametersAndWritesOnlyChanges)
{
    setParameters({{"SMTPServerHost", "mail.lumora.ee"}});
    ProgramParameters parameters(*tr);
    TdlgProgeParameetrid dlg(parameters, &ui);
    ParameterControls c(&dlg);
    ASSERT_TRUE(c.found());
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    // No method stored: the first one.
    EXPECT_TRUE(c.mapi->isChecked());
    EXPECT_EQ(c.dialer->text(), QString());
    EXPECT_EQ(c.msgType->currentText(), QString());
    // The accelerator presses the button the way a click does, after a moment.
    QTest::keyClick(dlg.focusWidget(), Qt::Key_O, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return dlg.result() == QDialog::Accepted; }, 5000));
    EXPECT_EQ(written(), QStringList({"DialerOutsideLineAccess=", "DocumentsRootDirectory=", "DefaultMailMsgType=",
                                      "EMailMethodIndex=0"}));
    EXPECT_EQ(parameters.GetParameter(QStringLiteral("SMTPServerHost")), QStringLiteral("mail.lumora.ee"));
}

TEST_F(ParametersDialogTest, MethodThatIsNoNumberIsTheFirst)
{
    setParameters({{"EMailMethodIndex", "otse"}});
    ProgramParameters parameters(*tr);
    TdlgProgeParameetrid dlg(parameters, &ui);
    ParameterControls c(&dlg);
    ASSERT_TRUE(c.found());
    dlg.show();
    EXPECT_TRUE(c.mapi->isChecked());
    QTest::mouseClick(c.ok, Qt::LeftButton);
    EXPECT_EQ(parameters.GetParameter(QStringLiteral("EMailMethodIndex")), QStringLiteral("0"));
}

TEST_F(ParametersDialogTest, CancelStoresNothing)
{
    setParameters({{"SMTPServerHost", "mail.lumora.ee"}, {"EMailMethodIndex", "0"}});
    ProgramParameters parameters(*tr);
    whenModal<TdlgProgeParameetrid>([](TdlgProgeParameetrid *dlg) {
        ParameterControls c(dlg);
        if (!c.found()) {
            ADD_FAILURE() << "controls missing";
            dlg->reject();
            return;
        }
        EXPECT_EQ(c.smtp->text(), QStringLiteral("mail.lumora.ee"));
        replaceText(c.smtp, QStringLiteral("muu.lumora.ee"));
        replaceText(c.dialer, QStringLiteral("9"));
        QTest::mouseClick(c.direct, Qt::LeftButton);
        QTest::mouseClick(c.cancel, Qt::LeftButton);
    });
    EXPECT_FALSE(TdlgProgeParameetrid::Run(parameters, &ui));
    // Escape is Cancel too.
    whenModal<TdlgProgeParameetrid>([](TdlgProgeParameetrid *dlg) {
        if (auto *smtp = dlg->findChild<QLineEdit *>(QStringLiteral("edSMTPServerHost")))
            smtp->setText(QStringLiteral("kolmas.lumora.ee"));
        QTest::keyClick(dlg, Qt::Key_Escape);
    });
    EXPECT_FALSE(TdlgProgeParameetrid::Run(parameters, &ui));
    EXPECT_EQ(written(), QStringList());
    EXPECT_EQ(parameters.GetParameter(QStringLiteral("SMTPServerHost")), QStringLiteral("mail.lumora.ee"));
    EXPECT_EQ(parameters.GetParameter(QStringLiteral("DialerOutsideLineAccess"), QStringLiteral("puudub")),
              QStringLiteral("puudub"));
}

TEST_F(ParametersDialogTest, MinimisingTheDialogMinimisesTheProgram)
{
    ProgramParameters parameters(*tr);
    QMainWindow main;
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    TdlgProgeParameetrid dlg(parameters, &ui, &main);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    EXPECT_TRUE(dlg.windowFlags() & Qt::WindowMinimizeButtonHint);
    dlg.showMinimized();
    QApplication::processEvents();
    EXPECT_TRUE(main.isMinimized());
    QTest::mouseClick(ParameterControls(&dlg).cancel, Qt::LeftButton);
    EXPECT_EQ(written(), QStringList());
}

TEST_F(ParametersDialogTest, ParametersThatCannotBeReadAreNeverStored)
{
    setParameters({{"SMTPServerHost", "mail.lumora.ee"}});
    // A user of the server who is granted nothing in this database.
    fb::ConnectParams stranger = s_db->params();
    stranger.user = QStringLiteral("VOORAS");
    fb::Attachment strangerAtt = fb::Attachment::attach(stranger);
    fb::Transaction strangerTr(strangerAtt);
    ProgramParameters parameters(strangerTr);
    TdlgProgeParameetrid dlg(parameters, &ui);
    dlg.show();
    ASSERT_EQ(g_errors.size(), 1);
    EXPECT_TRUE(g_errors.first().contains(QStringLiteral("KPARAMS"))) << g_errors.first().toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dlg.isVisible(); }, 5000));
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(written(), QStringList());
}

TEST_F(ParametersDialogTest, DocumentsDirectoryIsChosenInADirectoryDialog)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Dokumendid")));
    const QString chosen = dir.filePath(QStringLiteral("Dokumendid"));
    setParameters({{"DocumentsRootDirectory", dir.path().toUtf8().constData()}});
    ProgramParameters parameters(*tr);
    TdlgProgeParameetrid dlg(parameters, &ui);
    ParameterControls c(&dlg);
    ASSERT_TRUE(c.found());
    dlg.show();

    whenModal<QFileDialog>([&](QFileDialog *fd) {
        EXPECT_EQ(fd->windowTitle(), QStringLiteral("Dokumendifailide juurkataloog"));
        EXPECT_EQ(fd->fileMode(), QFileDialog::Directory);
        EXPECT_TRUE(fd->testOption(QFileDialog::ShowDirsOnly));
        EXPECT_EQ(QFileInfo(fd->directory().absolutePath()).canonicalFilePath(),
                  QFileInfo(dir.path()).canonicalFilePath());
        fd->selectFile(chosen);
        static_cast<QDialog *>(fd)->accept();
    });
    QTest::mouseClick(c.browse, Qt::LeftButton);
    EXPECT_EQ(QFileInfo(c.documents->text()).canonicalFilePath(), QFileInfo(chosen).canonicalFilePath());
    EXPECT_TRUE(QFileInfo(c.documents->text()).isAbsolute());

    // Cancelled: the field keeps its text.
    const QString before = c.documents->text();
    whenModal<QFileDialog>([](QFileDialog *fd) { fd->reject(); });
    QTest::mouseClick(c.browse, Qt::LeftButton);
    EXPECT_EQ(c.documents->text(), before);

    QTest::mouseClick(c.ok, Qt::LeftButton);
    EXPECT_EQ(QFileInfo(parameters.GetParameter(QStringLiteral("DocumentsRootDirectory"))).canonicalFilePath(),
              QFileInfo(chosen).canonicalFilePath());
}

// ---------------------------------------------------------------------------------------------------

using GeneratorsDialogTest = DialogTest;

int rowOf(QTableWidget *grid, const QString &name)
{
    for (int r = 0; r < grid->rowCount(); ++r)
        if (grid->item(r, 0) && grid->item(r, 0)->text().startsWith(name + QStringLiteral(" (")))
            return r;
    return -1;
}

// Typed into the value cell as the person would: the cell opened for editing, its text replaced.
void typeValue(QTableWidget *grid, int row, const QString &text)
{
    grid->setFocus();
    grid->setCurrentCell(row, 1);
    QTest::keyClick(grid, Qt::Key_F2);
    // The editor of a cell edited before may still be waiting to be deleted.
    QLineEdit *editor = nullptr;
    for (QLineEdit *e : grid->viewport()->findChildren<QLineEdit *>())
        if (e->isVisible())
            editor = e;
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    typeText(editor, text);
}

TEST_F(GeneratorsDialogTest, ShowsEveryGeneratorWithItsValue)
{
    generatorElsewhere(QStringLiteral("KLIENTK_KLIKOOD_GEN"), QStringLiteral("1234"));
    generatorElsewhere(QStringLiteral("AGENTK_AGENTKOOD_GEN"), QStringLiteral("7"));
    Generators generators(*tr);
    TdlgGenerators dlg(generators, &ui);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Automaatne koodide genereerimine"));
    ASSERT_NE(button(&dlg, QStringLiteral("&OK")), nullptr);
    ASSERT_NE(button(&dlg, QStringLiteral("&Cancel")), nullptr);

    QTableWidget *grid = dlg.grid();
    ASSERT_EQ(grid->columnCount(), 2);
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), QStringLiteral("Loendur"));
    EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), QStringLiteral("Väärtus"));
    EXPECT_EQ(grid->columnWidth(0), 240);
    EXPECT_EQ(grid->columnWidth(1), 70);
    const QStringList names = generators.names();
    ASSERT_EQ(grid->rowCount(), names.size());
    for (int r = 0; r < names.size(); ++r) {
        const qint64 value = generators.value(names.at(r));
        EXPECT_EQ(grid->item(r, 0)->text(), names.at(r) + QStringLiteral(" (") + QString::number(value) + ")");
        EXPECT_EQ(grid->item(r, 1)->text(), QString::number(value));
        EXPECT_FALSE(grid->item(r, 0)->flags() & Qt::ItemIsEditable);
        EXPECT_TRUE(grid->item(r, 1)->flags() & Qt::ItemIsEditable);
    }
    const int client = rowOf(grid, QStringLiteral("KLIENTK_KLIKOOD_GEN"));
    ASSERT_GE(client, 0);
    EXPECT_EQ(grid->item(client, 0)->text(), QStringLiteral("KLIENTK_KLIKOOD_GEN (1234)"));
    EXPECT_EQ(grid->item(client, 1)->text(), QStringLiteral("1234"));
    QTest::mouseClick(button(&dlg, QStringLiteral("&Cancel")), Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
}

TEST_F(GeneratorsDialogTest, OkSetsOnlyTheValuesThatWereChanged)
{
    generatorElsewhere(QStringLiteral("KLIENTK_KLIKOOD_GEN"), QStringLiteral("100"));
    generatorElsewhere(QStringLiteral("KONTAKT_KONTAKTID_GEN"), QStringLiteral("200"));
    Generators generators(*tr);
    TdlgGenerators dlg(generators, &ui);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    QTableWidget *grid = dlg.grid();
    const int client = rowOf(grid, QStringLiteral("KLIENTK_KLIKOOD_GEN"));
    ASSERT_GE(client, 0);

    typeValue(grid, client, QStringLiteral(" 4321 "));
    // Meanwhile another workstation draws contact keys: OK must not put the old value back.
    generatorElsewhere(QStringLiteral("KONTAKT_KONTAKTID_GEN"), QStringLiteral("250"));
    QTest::mouseClick(button(&dlg, QStringLiteral("&OK")), Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(g_errors.isEmpty()) << g_errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(generatorElsewhere(QStringLiteral("KLIENTK_KLIKOOD_GEN")), 4321);
    EXPECT_EQ(generatorElsewhere(QStringLiteral("KONTAKT_KONTAKTID_GEN")), 250);
}

TEST_F(GeneratorsDialogTest, ValueStillBeingTypedCountsWhenOkIsPressedWithItsAccelerator)
{
    generatorElsewhere(QStringLiteral("TOOTED_TOOTEID_GEN"), QStringLiteral("3"));
    Generators generators(*tr);
    TdlgGenerators dlg(generators, &ui);
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    QTableWidget *grid = dlg.grid();
    typeValue(grid, rowOf(grid, QStringLiteral("TOOTED_TOOTEID_GEN")), QStringLiteral("30"));
    ASSERT_NE(QApplication::focusWidget(), grid);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return dlg.result() == QDialog::Accepted; }, 5000));
    EXPECT_EQ(generatorElsewhere(QStringLiteral("TOOTED_TOOTEID_GEN")), 30);
}

TEST_F(GeneratorsDialogTest, OkWithNothingChangedSetsNothing)
{
    generatorElsewhere(QStringLiteral("KLIENTK_KLIKOOD_GEN"), QStringLiteral("100"));
    Generators generators(*tr);
    whenModal<TdlgGenerators>([](TdlgGenerators *dlg) {
        generatorElsewhere(QStringLiteral("KLIENTK_KLIKOOD_GEN"), QStringLiteral("150"));
        // A value typed back to what it was is no change either.
        const int client = rowOf(dlg->grid(), QStringLiteral("KLIENTK_KLIKOOD_GEN"));
        typeValue(dlg->grid(), client, QStringLiteral("100"));
        QTest::mouseClick(button(dlg, QStringLiteral("&OK")), Qt::LeftButton);
    });
    EXPECT_TRUE(TdlgGenerators::Run(generators, &ui));
    EXPECT_EQ(generatorElsewhere(QStringLiteral("KLIENTK_KLIKOOD_GEN")), 150);
}

TEST_F(GeneratorsDialogTest, ValueThatIsNoWholeNumberIsReportedAndTheDialogStays)
{
    generatorElsewhere(QStringLiteral("KLIENTK_KLIKOOD_GEN"), QStringLiteral("100"));
    generatorElsewhere(QStringLiteral("AGENTK_AGENTKOOD_GEN"), QStringLiteral("10"));
    Generators generators(*tr);
    TdlgGenerators dlg(generators, &ui);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    QTableWidget *grid = dlg.grid();
    typeValue(grid, rowOf(grid, QStringLiteral("AGENTK_AGENTKOOD_GEN")), QStringLiteral("55"));
    typeValue(grid, rowOf(grid, QStringLiteral("KLIENTK_KLIKOOD_GEN")), QStringLiteral("12,5"));
    QTest::mouseClick(button(&dlg, QStringLiteral("&OK")), Qt::LeftButton);
    EXPECT_EQ(g_errors, QStringList{"'12,5' is not a valid integer value"});
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(generatorElsewhere(QStringLiteral("AGENTK_AGENTKOOD_GEN")), 10);
    EXPECT_EQ(generatorElsewhere(QStringLiteral("KLIENTK_KLIKOOD_GEN")), 100);

    g_errors.clear();
    typeValue(grid, rowOf(grid, QStringLiteral("KLIENTK_KLIKOOD_GEN")), QStringLiteral("125"));
    QTest::mouseClick(button(&dlg, QStringLiteral("&OK")), Qt::LeftButton);
    EXPECT_TRUE(g_errors.isEmpty()) << g_errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(generatorElsewhere(QStringLiteral("AGENTK_AGENTKOOD_GEN")), 55);
    EXPECT_EQ(generatorElsewhere(QStringLiteral("KLIENTK_KLIKOOD_GEN")), 125);
}

TEST_F(GeneratorsDialogTest, ValuesThatCannotBeReadCloseTheDialog)
{
    fb::ConnectParams stranger = s_db->params();
    stranger.user = QStringLiteral("VOORAS");
    fb::Attachment strangerAtt = fb::Attachment::attach(stranger);
    fb::Transaction strangerTr(strangerAtt);
    Generators generators(strangerTr);
    TdlgGenerators dlg(generators, &ui);
    dlg.show();
    ASSERT_EQ(g_errors.size(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dlg.isVisible(); }, 5000));
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
}

TEST_F(GeneratorsDialogTest, CancelSetsNothing)
{
    generatorElsewhere(QStringLiteral("KLIENTK_KLIKOOD_GEN"), QStringLiteral("100"));
    Generators generators(*tr);
    whenModal<TdlgGenerators>([](TdlgGenerators *dlg) {
        typeValue(dlg->grid(), rowOf(dlg->grid(), QStringLiteral("KLIENTK_KLIKOOD_GEN")), QStringLiteral("999"));
        QTest::mouseClick(button(dlg, QStringLiteral("&Cancel")), Qt::LeftButton);
    });
    EXPECT_FALSE(TdlgGenerators::Run(generators, &ui));
    EXPECT_EQ(generatorElsewhere(QStringLiteral("KLIENTK_KLIKOOD_GEN")), 100);
}

} // namespace

int main(int argc, char **argv)
{
    useOffscreenWindows();
    VelkoraApplication app(argc, argv);
    app.onError = [](const std::exception &e) {
        if (const auto *d = dynamic_cast<const data::DataError *>(&e))
            g_errors << d->message();
        else
            g_errors << QString::fromUtf8(e.what());
    };
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
