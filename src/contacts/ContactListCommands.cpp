#include "ContactListCommands.h"

#include "data/DataSet.h"
#include "data/FilterBuilder.h"
#include "data/MainServices.h"
#include "data/TData1.h"
#include "data/Translate.h"
#include "data/UserInterface.h"

namespace contacts {

namespace {

// The row the list stands on, when there is one.
bool onRow(const data::DataSet &list)
{
    return list.isActive() && !list.isEmpty() && list.currentRow() >= 0;
}

int intOf(const data::DataSet &list, const char *field)
{
    return static_cast<int>(list.field(QString::fromLatin1(field)).asInt());
}

QString textOf(const data::DataSet &list, const char *field)
{
    return list.field(QString::fromLatin1(field)).asString();
}

} // namespace

const QString ContactListCommands::PrintOrder = QStringLiteral("JKONTAKTKUUP;JKONTAKTKELL");

void ContactListCommands::OpenPlan(data::TData1 &module, const data::DataSet &plans)
{
    if (data::MainServices *main = module.mainServices(); main && onRow(plans))
        main->OpenNextContact(intOf(plans, "JKONTAKTID"));
}

void ContactListCommands::RegisterContact(data::TData1 &module, const data::DataSet &plans)
{
    data::MainServices *main = module.mainServices();
    if (!main || !onRow(plans) || intOf(plans, "KLIKOOD") <= 0)
        return;
    main->RegisterContact(intOf(plans, "KLIKOOD"), intOf(plans, "AGENTKOOD"), textOf(plans, "AGENTNIMI"),
                          textOf(plans, "KONTAKTISIKNIMI"), textOf(plans, "KLINIMI"), intOf(plans, "JKONTAKTID"),
                          intOf(plans, "KLIKISIKKOOD"));
}

void ContactListCommands::ShowClient(data::TData1 &module, const data::DataSet &list)
{
    if (data::MainServices *main = module.mainServices(); main && onRow(list) && intOf(list, "KLIKOOD") > 0)
        main->OpenClientCard(intOf(list, "KLIKOOD"), 0);
}

void ContactListCommands::OpenContact(data::TData1 &module, const data::DataSet &contacts, data::UserInterface *ui)
{
    data::MainServices *main = module.mainServices();
    if (!main || !onRow(contacts) || contacts.field(QStringLiteral("KONTAKTID")).isNull())
        return;
    if (intOf(contacts, "KONTAKTIDGRUPP") > 0 || contacts.field(QStringLiteral("KLIKOOD")).isNull()) {
        if (ui)
            ui->showMessage(Translate(QStringLiteral("Masspakkumiste aken pole veel saadaval")),
                            Translate(QStringLiteral("Toimunud kontaktid")));
        return;
    }
    main->OpenContact(intOf(contacts, "KONTAKTID"));
}

void ContactListCommands::SortForPrint(data::DataSet &plans)
{
    data::ApplyOrder(plans, PrintOrder);
}

} // namespace contacts
