// The column choice dialog, driven offscreen with the mouse: the caller's choice is kept as field
// names in field order, and Cancel changes nothing.

#include <gtest/gtest.h>

#include "QtPrinters.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "TempDatabase.h"
#include "WindowDriver.h"
#include "data/DataSet.h"
#include "fb/Transaction.h"
#include "ui/TdlgSelectTableCols.h"

namespace {

class TdlgSelectTableColsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_att = std::make_unique<fb::Attachment>(TempDatabase::shared().connect());
        m_tr = std::make_unique<fb::Transaction>(*m_att);
        m_ds = std::make_unique<data::DataSet>(*m_tr, QStringLiteral("taKliendid"));
        m_ds->setSelectSql("select KLIKOOD, KLINIMI, KLIAADRESS, KLITEL, KLIEMAIL from KLIENTK");
        m_ds->defineField("KLIKOOD").setVisible(false);
        m_ds->defineField("KLINIMI").setDisplayLabel(QStringLiteral("Nimi"));
        m_ds->defineField("KLIAADRESS").setDisplayLabel(QStringLiteral("Aadress"));
        m_ds->defineField("KLITEL").setDisplayLabel(QStringLiteral("Telefon"));
        m_ds->defineField("KLIEMAIL").setDisplayLabel(QStringLiteral("Email"));
        m_ds->open();
    }

    static void click(QListWidget *list, const QString &text, Qt::KeyboardModifiers held = Qt::NoModifier)
    {
        const auto found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        const QRect r = list->visualItemRect(found.first());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, held, r.center());
    }

    static QStringList ticked(QListWidget *list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->checkState() == Qt::Checked)
                out << list->item(i)->text();
        return out;
    }

    // Shows the dialog modally and lets `action` work it as the user would.
    int run(QStringList &columns, bool *flag, std::function<void(TdlgSelectTableCols *)> action)
    {
        TdlgSelectTableCols dlg(nullptr, QStringLiteral("Kopeeri lõikelauale"), flag, columns, m_ds.get(),
                                QStringLiteral("Kliendid - Eksporditavate veergude valik"));
        whenModal<TdlgSelectTableCols>(action);
        return dlg.exec();
    }

    std::unique_ptr<fb::Attachment> m_att;
    std::unique_ptr<fb::Transaction> m_tr;
    std::unique_ptr<data::DataSet> m_ds;
};

TEST_F(TdlgSelectTableColsTest, TickedFieldsComeBackInFieldOrderWhateverTheOrderOfTicking)
{
    QStringList columns;
    QStringList shown;
    bool hiddenFlagBox = true;
    QString caption;
    const int result = run(columns, nullptr, [&](TdlgSelectTableCols *dlg) {
        caption = dlg->windowTitle();
        hiddenFlagBox = dlg->cbAdditionalFlag1()->isHidden();
        for (int i = 0; i < dlg->liAllFields()->count(); ++i)
            shown << dlg->liAllFields()->item(i)->text();
        click(dlg->liAllFields(), QStringLiteral("Email"));
        click(dlg->liAllFields(), QStringLiteral("Telefon"));
        click(dlg->liAllFields(), QStringLiteral("Nimi"));
        click(dlg->liAllFields(), QStringLiteral("Telefon")); // and off again
        // A click with Ctrl held selects without ticking.
        click(dlg->liAllFields(), QStringLiteral("Aadress"), Qt::ControlModifier);
        QTest::mouseClick(dlg->OKBtn(), Qt::LeftButton);
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(caption, QStringLiteral("Kliendid - Eksporditavate veergude valik"));
    EXPECT_TRUE(hiddenFlagBox);
    EXPECT_EQ(shown, (QStringList{"Nimi", "Aadress", "Telefon", "Email"})); // the hidden code is not offered
    EXPECT_EQ(columns, (QStringList{"KLINIMI", "KLIEMAIL"}));

    // The next showing starts from the previous choice, also after the dataset has reopened with its
    // fields in another order.
    m_ds->close();
    m_ds->setSelectSql("select KLIEMAIL, KLITEL, KLIKOOD, KLINIMI, KLIAADRESS from KLIENTK");
    m_ds->open();
    QStringList before;
    run(columns, nullptr, [&](TdlgSelectTableCols *dlg) {
        before = ticked(dlg->liAllFields());
        click(dlg->liAllFields(), QStringLiteral("Aadress"));
        dlg->OKBtn()->click();
    });
    EXPECT_EQ(before, (QStringList{"Email", "Nimi"}));
    EXPECT_EQ(columns, (QStringList{"KLIEMAIL", "KLINIMI", "KLIAADRESS"}));
}

TEST_F(TdlgSelectTableColsTest, NothingTickedEmptiesTheChoiceAndTheFlagFollowsItsBox)
{
    QStringList columns{"KLINIMI", "KLITEL"};
    bool toClipboard = true;
    bool boxShown = false;
    bool boxChecked = false;
    QString boxText;
    run(columns, &toClipboard, [&](TdlgSelectTableCols *dlg) {
        boxShown = !dlg->cbAdditionalFlag1()->isHidden();
        boxChecked = dlg->cbAdditionalFlag1()->isChecked();
        boxText = dlg->cbAdditionalFlag1()->text();
        click(dlg->liAllFields(), QStringLiteral("Nimi"));
        click(dlg->liAllFields(), QStringLiteral("Telefon"));
        QTest::mouseClick(dlg->cbAdditionalFlag1(), Qt::LeftButton);
        dlg->OKBtn()->click();
    });
    EXPECT_TRUE(boxShown);
    EXPECT_TRUE(boxChecked);
    EXPECT_EQ(boxText, QStringLiteral("Kopeeri lõikelauale"));
    EXPECT_TRUE(columns.isEmpty());
    EXPECT_FALSE(toClipboard);
}

TEST_F(TdlgSelectTableColsTest, CancelKeepsTheChoiceAndTheFlag)
{
    QStringList columns{"KLITEL"};
    bool toClipboard = false;
    const int result = run(columns, &toClipboard, [&](TdlgSelectTableCols *dlg) {
        click(dlg->liAllFields(), QStringLiteral("Nimi"));
        click(dlg->liAllFields(), QStringLiteral("Telefon"));
        dlg->cbAdditionalFlag1()->setChecked(true);
        QTest::mouseClick(dlg->CancelBtn(), Qt::LeftButton);
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(columns, QStringList{"KLITEL"});
    EXPECT_FALSE(toClipboard);
}

} // namespace
