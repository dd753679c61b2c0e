// The window implementation of the user-interface port, driven offscreen: the boxes carry the
// program's own button captions and hand back what the person did.

#include <gtest/gtest.h>

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

} // namespace

int main(int argc, char **argv)
{
    useOffscreenWindows();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
