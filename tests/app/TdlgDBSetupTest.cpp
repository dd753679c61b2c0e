// The set-up dialog driven through its controls, offscreen: the fields opened from each form of
// name, the name composed on OK, the message on an empty database, Cancel, the advanced panel and
// the database file chooser.

#include <gtest/gtest.h>

#include "QtPrinters.h"

#include <functional>
#include <memory>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "ScriptedUserInterface.h"
#include "WindowDriver.h"
#include "app/TdlgDBSetup.h"

namespace {

const QString kTitle = QStringLiteral("Andmebaasi seadistused");
const QString kEmptyDatabase = QString::fromUtf8("Viga: Andmed väärtustamata !");

struct Controls
{
    explicit Controls(QWidget *dlg)
        : server(dlg->findChild<QLineEdit *>(QStringLiteral("edServerName")))
        , database(dlg->findChild<QLineEdit *>(QStringLiteral("edDatabaseName")))
        , protocol(dlg->findChild<QComboBox *>(QStringLiteral("cbProtocol")))
        , advanced(dlg->findChild<QCheckBox *>(QStringLiteral("cbAdvanced")))
        , panel(dlg->findChild<QFrame *>(QStringLiteral("pnAdvanced")))
        , port(dlg->findChild<QLineEdit *>(QStringLiteral("edTCPPort")))
        , charset(dlg->findChild<QLineEdit *>(QStringLiteral("edCharSet")))
    {
        for (QPushButton *b : dlg->findChildren<QPushButton *>()) {
            if (b->text() == QStringLiteral("&Ok"))
                ok = b;
            else if (b->text() == QStringLiteral("&Cancel"))
                cancel = b;
            else if (b->text() == QStringLiteral("..."))
                browse = b;
        }
    }
    bool found() const
    {
        return server && database && protocol && advanced && panel && port && charset && ok && cancel && browse;
    }

    QLineEdit *server;
    QLineEdit *database;
    QComboBox *protocol;
    QCheckBox *advanced;
    QFrame *panel;
    QLineEdit *port;
    QLineEdit *charset;
    QPushButton *ok = nullptr;
    QPushButton *cancel = nullptr;
    QPushButton *browse = nullptr;
};

DatabaseSettings settingsWith(const QString &name, const QString &charset = QStringLiteral("ISO8859_1"),
                              const QString &role = QStringLiteral("VELKORA1USERS"))
{
    DatabaseSettings s;
    s.setDatabaseName(name);
    s.setLcCtype(charset);
    s.setSqlRoleName(role);
    return s;
}

// The file dialog lists a folder in the background and selects the starting file again once the
// listing is in; a selection made before that would be overridden.
void waitForListing(QFileDialog *fd, const QString &folder, int files)
{
    auto *model = fd->findChild<QFileSystemModel *>();
    ASSERT_NE(model, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return model->rowCount(model->index(folder)) >= files; }, 10000));
    QCoreApplication::processEvents();
}

// Into the file name box, as the person would once the listing is in and the box has the focus.
void typeFileName(QFileDialog *fd, const QString &name)
{
    auto *edit = fd->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    edit->setText(name);
}

TEST(TdlgDBSetupTest, TcpNameOpensInTheFieldsAndOkGivesItBack)
{
    const QString name = QStringLiteral("dbhost/3051:C:\\Data\\velkora1.fdb");
    ScriptedUserInterface ui;
    TdlgDBSetup dlg(settingsWith(name, QStringLiteral("WIN1257"), QStringLiteral("OWNROLE")), &ui);
    Controls c(&dlg);
    ASSERT_TRUE(c.found());

    EXPECT_EQ(dlg.windowTitle(), kTitle);
    EXPECT_TRUE(dlg.isModal());
    EXPECT_EQ(c.server->text(), QStringLiteral("dbhost"));
    EXPECT_EQ(c.database->text(), QStringLiteral("C:\\Data\\velkora1.fdb"));
    EXPECT_EQ(c.protocol->currentText(), QStringLiteral("TCP"));
    EXPECT_EQ(c.port->text(), QStringLiteral("3051"));
    EXPECT_EQ(c.charset->text(), QStringLiteral("WIN1257"));
    QStringList items;
    for (int i = 0; i < c.protocol->count(); ++i)
        items << c.protocol->itemText(i);
    EXPECT_EQ(items, QStringList({"TCP", "NetBEUI", "SPX"}));
    EXPECT_FALSE(c.advanced->isChecked());
    // The role is carried, never shown.
    for (const QLineEdit *e : dlg.findChildren<QLineEdit *>())
        EXPECT_NE(e->text(), QStringLiteral("OWNROLE"));

    dlg.show();
    EXPECT_FALSE(c.panel->isVisible());
    QTest::mouseClick(c.ok, Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.databaseName(), name);
    EXPECT_EQ(dlg.characterSet(), QStringLiteral("WIN1257"));
    EXPECT_EQ(dlg.role(), QStringLiteral("OWNROLE"));
}

TEST(TdlgDBSetupTest, EachFormOfNameOpensWithItsProtocolAndComesBackUnchanged)
{
    struct Case
    {
        QString name;
        QString server;
        int protocol;
        QString path;
    };
    const Case cases[] = {
        {"C:\\Data\\velkora1.fdb", "", -1, "C:\\Data\\velkora1.fdb"},
        {"/var/db/x.fdb", "", -1, "/var/db/x.fdb"},
        {"Data/velkora1.FDB", "", -1, "Data/velkora1.FDB"},
        {"host:/var/db/x.fdb", "host", 0, "/var/db/x.fdb"},
        {"\\\\srv\\d\\x.fdb", "srv", 1, "d\\x.fdb"},
        {"srv@vol:x.fdb", "srv", 2, "vol:x.fdb"},
        {"host:/home/a@b/x.fdb", "host:/home/a", 2, "b/x.fdb"},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.name.toStdString());
        ScriptedUserInterface ui;
        TdlgDBSetup dlg(settingsWith(k.name), &ui);
        Controls c(&dlg);
        ASSERT_TRUE(c.found());
        EXPECT_EQ(c.server->text(), k.server);
        EXPECT_EQ(c.protocol->currentIndex(), k.protocol);
        EXPECT_EQ(c.database->text(), k.path);
        EXPECT_EQ(c.port->text(), QString());
        dlg.show();
        QTest::mouseClick(c.ok, Qt::LeftButton);
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(dlg.databaseName(), k.name);
    }
}

TEST(TdlgDBSetupTest, NamedPipeNameWithoutPathIsReported)
{
    // The name cannot be taken apart: the person is told so, and it is shown whole as a path to mend.
    for (const QString &name : {QStringLiteral("\\\\srv"), QStringLiteral("\\\\srv:x.fdb")}) {
        SCOPED_TRACE(name.toStdString());
        ScriptedUserInterface ui;
        ui.expectMessage(QStringLiteral("Vigane andmebaasi nimi: ") + name, kTitle);
        TdlgDBSetup dlg(settingsWith(name), &ui);
        EXPECT_TRUE(ui.allSeen());
        Controls c(&dlg);
        ASSERT_TRUE(c.found());
        EXPECT_EQ(c.server->text(), QString());
        EXPECT_EQ(c.protocol->currentIndex(), -1);
        EXPECT_EQ(c.database->text(), name);
    }
}

TEST(TdlgDBSetupTest, FieldsFilledInComposeTheNameOfTheChosenProtocol)
{
    struct Case
    {
        QString server;
        int protocol; // -1: left as the name had it (none, for the local initial name)
        QString port;
        QString path;
        QString expected;
    };
    const Case cases[] = {
        {"dbhost", -1, "", "/var/db/x.fdb", "dbhost:/var/db/x.fdb"},
        {"dbhost", -1, "3051", "C:\\Data\\velkora1.fdb", "dbhost/3051:C:\\Data\\velkora1.fdb"},
        {"dbhost", 0, "3051", "/var/db/x.fdb", "dbhost/3051:/var/db/x.fdb"},
        {"srv", 1, "3051", "d\\x.fdb", "\\\\srv\\d\\x.fdb"},
        {"srv", 2, "3051", "vol:x.fdb", "srv@vol:x.fdb"},
        {"", 1, "3051", "/var/db/x.fdb", "/var/db/x.fdb"},
        {"", 0, "", QString::fromUtf8("/srv/andmed/kõik ärid.fdb"), QString::fromUtf8("/srv/andmed/kõik ärid.fdb")},
        {"  dbhost ", 0, " 3051 ", " /var/db/x.fdb ", "dbhost/3051:/var/db/x.fdb"},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.expected.toStdString());
        ScriptedUserInterface ui;
        TdlgDBSetup dlg(DatabaseSettings(), &ui);
        Controls c(&dlg);
        ASSERT_TRUE(c.found());
        ASSERT_EQ(c.protocol->currentIndex(), -1);
        dlg.show();
        replaceText(c.server, k.server);
        if (k.protocol >= 0)
            c.protocol->setCurrentIndex(k.protocol);
        QTest::keyClick(c.advanced, Qt::Key_Space);
        ASSERT_TRUE(c.panel->isVisible());
        replaceText(c.port, k.port);
        replaceText(c.charset, QStringLiteral("UTF8"));
        replaceText(c.database, k.path);
        QTest::mouseClick(c.ok, Qt::LeftButton);
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(dlg.databaseName(), k.expected);
        EXPECT_EQ(dlg.characterSet(), QStringLiteral("UTF8"));
    }
}

TEST(TdlgDBSetupTest, ProtocolIsChosenWithTheKeyboard)
{
    ScriptedUserInterface ui;
    TdlgDBSetup dlg(settingsWith(QStringLiteral("srv/3051:/x.fdb")), &ui);
    Controls c(&dlg);
    ASSERT_TRUE(c.found());
    dlg.show();
    c.protocol->setFocus();
    QTest::keyClick(c.protocol, Qt::Key_Down);
    EXPECT_EQ(c.protocol->currentText(), QStringLiteral("NetBEUI"));
    QTest::keyClick(c.ok, Qt::Key_Space);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.databaseName(), QStringLiteral("\\\\srv\\/x.fdb"));
}

TEST(TdlgDBSetupTest, EmptyDatabaseIsReportedAndTheDialogStaysOpen)
{
    ScriptedUserInterface ui;
    TdlgDBSetup dlg(settingsWith(QStringLiteral("host:/var/db/x.fdb")), &ui);
    Controls c(&dlg);
    ASSERT_TRUE(c.found());
    dlg.show();
    c.database->clear();

    ui.expectMessage(kEmptyDatabase, kTitle);
    QTest::mouseClick(c.ok, Qt::LeftButton);
    EXPECT_TRUE(ui.allSeen());
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.focusWidget(), c.database);

    // Blanks alone are no database either.
    typeText(c.database, QStringLiteral("   "));
    ui.expectMessage(kEmptyDatabase, kTitle);
    QTest::mouseClick(c.ok, Qt::LeftButton);
    EXPECT_TRUE(ui.allSeen());
    EXPECT_TRUE(dlg.isVisible());

    replaceText(c.database, QStringLiteral("/var/db/y.fdb"));
    QTest::mouseClick(c.ok, Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.databaseName(), QStringLiteral("host:/var/db/y.fdb"));
}

TEST(TdlgDBSetupTest, RunDatabaseSetupStoresNameAndCharacterSetOnOk)
{
    ScriptedUserInterface ui;
    DatabaseSettings s =
        settingsWith(QStringLiteral("C:\\Data\\velkora1.fdb"), QStringLiteral("ISO8859_1"), QStringLiteral("OWNROLE"));
    whenModal<TdlgDBSetup>([](TdlgDBSetup *dlg) {
        Controls c(dlg);
        if (!c.found()) {
            ADD_FAILURE() << "controls missing";
            dlg->reject();
            return;
        }
        EXPECT_EQ(dlg->windowTitle(), kTitle);
        replaceText(c.server, QStringLiteral("dbhost"));
        c.protocol->setCurrentIndex(0);
        QTest::keyClick(c.advanced, Qt::Key_Space);
        replaceText(c.port, QStringLiteral("3051"));
        replaceText(c.charset, QStringLiteral("WIN1252"));
        QTest::mouseClick(c.ok, Qt::LeftButton);
    });
    EXPECT_TRUE(RunDatabaseSetup(s, nullptr, &ui));
    EXPECT_EQ(s.databaseName(), QStringLiteral("dbhost/3051:C:\\Data\\velkora1.fdb"));
    EXPECT_EQ(s.lcCtype(), QStringLiteral("WIN1252"));
    EXPECT_EQ(s.sqlRoleName(), QStringLiteral("OWNROLE"));
}

TEST(TdlgDBSetupTest, CancelChangesNothing)
{
    ScriptedUserInterface ui;
    const QString name = QStringLiteral("dbhost/3051:C:\\Data\\velkora1.fdb");
    DatabaseSettings s = settingsWith(name, QStringLiteral("WIN1257"), QStringLiteral("OWNROLE"));
    whenModal<TdlgDBSetup>([](TdlgDBSetup *dlg) {
        Controls c(dlg);
        if (!c.found()) {
            ADD_FAILURE() << "controls missing";
            dlg->reject();
            return;
        }
        replaceText(c.server, QStringLiteral("elsewhere"));
        replaceText(c.database, QStringLiteral("/other.fdb"));
        c.charset->setText(QStringLiteral("UTF8"));
        QTest::mouseClick(c.cancel, Qt::LeftButton);
    });
    EXPECT_FALSE(RunDatabaseSetup(s, nullptr, &ui));
    EXPECT_EQ(s.databaseName(), name);
    EXPECT_EQ(s.lcCtype(), QStringLiteral("WIN1257"));
    EXPECT_EQ(s.sqlRoleName(), QStringLiteral("OWNROLE"));

    // Escape is Cancel too.
    whenModal<TdlgDBSetup>([](TdlgDBSetup *dlg) {
        if (auto *edit = dlg->findChild<QLineEdit *>(QStringLiteral("edDatabaseName")))
            edit->setText(QStringLiteral("/other.fdb"));
        QTest::keyClick(dlg, Qt::Key_Escape);
    });
    EXPECT_FALSE(RunDatabaseSetup(s, nullptr, &ui));
    EXPECT_EQ(s.databaseName(), name);
}

TEST(TdlgDBSetupTest, AdvancedPanelGrowsAndShrinksTheDialog)
{
    ScriptedUserInterface ui;
    TdlgDBSetup dlg(DatabaseSettings(), &ui);
    Controls c(&dlg);
    ASSERT_TRUE(c.found());
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    EXPECT_FALSE(c.advanced->isChecked());
    EXPECT_FALSE(c.panel->isVisible());
    EXPECT_EQ(c.charset->text(), QStringLiteral("ISO8859_1"));

    const int closed = dlg.height();
    QTest::keyClick(c.advanced, Qt::Key_Space);
    QApplication::processEvents();
    EXPECT_TRUE(c.advanced->isChecked());
    EXPECT_TRUE(c.panel->isVisible());
    EXPECT_GT(c.panel->height(), 0);
    EXPECT_EQ(dlg.height(), closed + c.panel->height());
    // Everything of the panel fits in what it was given.
    EXPECT_LE(c.panel->geometry().bottom(), dlg.height());

    QTest::keyClick(c.advanced, Qt::Key_Space);
    QApplication::processEvents();
    EXPECT_FALSE(c.panel->isVisible());
    EXPECT_EQ(dlg.height(), closed);

    // Opened again after the user made the dialog taller: still the panel's height more.
    dlg.resize(dlg.width(), closed + 40);
    QApplication::processEvents();
    const int taller = dlg.height();
    QTest::keyClick(c.advanced, Qt::Key_Space);
    QApplication::processEvents();
    EXPECT_EQ(dlg.height(), taller + c.panel->height());
}

TEST(TdlgDBSetupTest, DatabaseFileIsChosenInAFileDialog)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString current = dir.filePath(QStringLiteral("velkora1.FDB"));
    const QString other = dir.filePath(QStringLiteral("other.gdb"));
    for (const QString &f : {current, other}) {
        QFile file(f);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    ScriptedUserInterface ui;
    TdlgDBSetup dlg(settingsWith(current), &ui);
    Controls c(&dlg);
    ASSERT_TRUE(c.found());
    dlg.show();

    whenModal<QFileDialog>([&](QFileDialog *fd) {
        waitForListing(fd, dir.path(), 2);
        EXPECT_EQ(fd->windowTitle(), QStringLiteral("Select Database"));
        EXPECT_EQ(fd->nameFilters(), QStringList({"*.gdb; *.fdb (*.gdb *.fdb)", "*.* (*)"}));
        EXPECT_EQ(fd->fileMode(), QFileDialog::ExistingFile);
        EXPECT_EQ(fd->acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(QFileInfo(fd->directory().absolutePath()).canonicalFilePath(),
                  QFileInfo(dir.path()).canonicalFilePath());
        const QStringList selected = fd->selectedFiles();
        EXPECT_FALSE(selected.isEmpty());
        if (!selected.isEmpty()) {
            EXPECT_EQ(QFileInfo(selected.first()).fileName(), QStringLiteral("velkora1.FDB"));
        }
        typeFileName(fd, QStringLiteral("other.gdb"));
        static_cast<QDialog *>(fd)->accept(); // what the Open button does
    });
    QTest::mouseClick(c.browse, Qt::LeftButton);
    EXPECT_EQ(QFileInfo(c.database->text()).canonicalFilePath(), QFileInfo(other).canonicalFilePath());

    // A file that is not there is not taken; cancelling keeps the field.
    whenModal<QFileDialog>([&](QFileDialog *fd) {
        waitForListing(fd, dir.path(), 2);
        typeFileName(fd, QStringLiteral("missing.fdb"));
        whenModal<QMessageBox>([](QMessageBox *box) { box->done(QMessageBox::Ok); });
        static_cast<QDialog *>(fd)->accept(); // what the Open button does
        EXPECT_TRUE(fd->isVisible());
        fd->reject();
    });
    const QString before = c.database->text();
    QTest::mouseClick(c.browse, Qt::LeftButton);
    EXPECT_EQ(c.database->text(), before);
    EXPECT_TRUE(dlg.isVisible());

    QTest::mouseClick(c.ok, Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(QFileInfo(dlg.databaseName()).canonicalFilePath(), QFileInfo(other).canonicalFilePath());
}

TEST(TdlgDBSetupTest, RunningProgramFindsItsConfigurationBesideIt)
{
    const QFileInfo program(QCoreApplication::applicationFilePath());
    EXPECT_EQ(DatabaseSettings::configFilePath(), program.absolutePath() + QStringLiteral("/connection_ui_tests.ini"));
}

} // namespace

int main(int argc, char **argv)
{
    useOffscreenWindows();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
