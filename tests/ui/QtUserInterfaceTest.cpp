// The window implementation of the user-interface port, driven offscreen: the boxes carry the
// program's own button captions and hand back what the person did.

#include <gtest/gtest.h>

#include <QTest>

#include <QFile>

#include <QTemporaryDir>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

#include "WindowDriver.h"
#include "ui/QtUserInterface.h"

namespace {

using Answer = data::UserInterface::Answer;
using Buttons = data::UserInterface::Buttons;

QStringList buttonTexts(QMessageBox *box)
{
    QStringList texts;
    for (QAbstractButton *b : box->buttons())
        texts << b->text();
    texts.sort();
    return texts;
}

TEST(QtUserInterfaceTest, QuestionsHaveEstonianButtonsAndReportThePressedOne)
{
    QtUserInterface ui;
    QStringList seen;
    QString title, text;
    whenModal<QMessageBox>([&](QMessageBox *box) {
        seen = buttonTexts(box);
        title = box->windowTitle();
        text = box->text();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(ui.ask("Kas soovite väljuda ?", "Lumora-Contact", Buttons::YesNo), Answer::No);
    EXPECT_EQ(seen, (QStringList{"&Ei", "&Jah"}));
    EXPECT_EQ(title, QStringLiteral("Lumora-Contact"));
    EXPECT_EQ(text, QStringLiteral("Kas soovite väljuda ?"));

    whenModal<QMessageBox>([&](QMessageBox *box) {
        seen = buttonTexts(box);
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(ui.ask("Jätame veeru 'Toode' tühjaks ?", "Kinnita", Buttons::YesNoCancel), Answer::Yes);
    EXPECT_EQ(seen, (QStringList{"&Ei", "&Jah", "&Loobu"}));

    // Closing the box is cancelling it.
    whenModal<QMessageBox>([](QMessageBox *box) { box->reject(); });
    EXPECT_EQ(ui.ask("Kas jätkame ?", "Kinnita", Buttons::YesNoCancel), Answer::Cancel);
}

TEST(QtUserInterfaceTest, InputBoxAndSelectionListHandBackTheChoice)
{
    QtUserInterface ui;
    QString prompt;
    whenModal<QInputDialog>([&](QInputDialog *dlg) {
        prompt = dlg->labelText();
        EXPECT_EQ(dlg->textValue(), QStringLiteral("12"));
        dlg->setTextValue(QStringLiteral("4711"));
        dlg->accept();
    });
    QString value = QStringLiteral("12");
    EXPECT_TRUE(ui.inputBox("Ava klient", "Sisestage kliendi kood:", value));
    EXPECT_EQ(prompt, QStringLiteral("Sisestage kliendi kood:"));
    EXPECT_EQ(value, QStringLiteral("4711"));

    whenModal<QInputDialog>([](QInputDialog *dlg) {
        dlg->setTextValue(QStringLiteral("ei loe"));
        dlg->reject();
    });
    EXPECT_FALSE(ui.inputBox("Ava klient", "Sisestage kliendi kood:", value));
    EXPECT_EQ(value, QStringLiteral("4711"));

    // The list opens on the given entry; the chosen entry's index comes back.
    QString opened;
    whenModal<QInputDialog>([&](QInputDialog *dlg) {
        opened = dlg->textValue();
        dlg->setTextValue(QStringLiteral("Kolmas"));
        dlg->accept();
    });
    int index = 1;
    EXPECT_TRUE(ui.selectFromList("Vali", {"Esimene", "Teine", "Kolmas"}, index));
    EXPECT_EQ(opened, QStringLiteral("Teine"));
    EXPECT_EQ(index, 2);
}

TEST(QtUserInterfaceDialTest, DiallerGetsTheNumberAndNameAsArgumentsNeverThroughAShell)
{
    QTemporaryDir dir;
    const QString out = dir.filePath("dialled.txt");
    const QString marker = dir.filePath("should-not-exist");
    QFile script(dir.filePath("dialler.sh"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$1.part\" && mv \"$1.part\" \"$1\"\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QtUserInterface ui;
    ui.setDialer(script.fileName(), {out, "%number%", "%name%"});
    const QString number = QStringLiteral("5123; touch ") + marker;
    ui.dial(number, QStringLiteral("Mari 'Tamm' $(id)"));
    QFile result(out);
    for (int i = 0; i < 200 && !result.exists(); ++i)
        QTest::qWait(25);
    ASSERT_TRUE(result.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(result.readAll()), out + QStringLiteral("\n") + number + QStringLiteral("\nMari 'Tamm' $(id)\n"));
    EXPECT_FALSE(QFile::exists(marker));

    // Set up from one command line, as the user's settings keep it: quoted words stay whole.
    QFile::remove(out);
    ui.setDialerCommand(QStringLiteral("\"%1\" %2 --call %number% \"%name%\"").arg(script.fileName(), out));
    ui.dial(number, QStringLiteral("Jaan Saar"));
    for (int i = 0; i < 200 && !result.exists(); ++i)
        QTest::qWait(25);
    result.close();
    ASSERT_TRUE(result.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(result.readAll()),
              out + QStringLiteral("\n--call\n") + number + QStringLiteral("\nJaan Saar\n"));
    EXPECT_FALSE(QFile::exists(marker));
}

} // namespace

int main(int argc, char **argv)
{
    useOffscreenWindows();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
