#include "WindowCatalog.h"

#include <functional>
#include <map>

#include "clients/TfKliendidList.h"
#include "clients/TfKontaktIsikudKoond.h"
#include "contacts/TfKontaktidKoond.h"
#include "contacts/TfPlaneeritudKontaktid.h"
#include "reference/TfAgMinutMaxMyyk.h"
#include "reference/TfAgendid.h"
#include "reference/TfAmetid.h"
#include "reference/TfKontaktiLiigid.h"
#include "reference/TfLinnadVallad.h"
#include "reference/TfOmandiVormid.h"
#include "reference/TfProjektid.h"
#include "reference/TfPyhad.h"
#include "reference/TfRiigid.h"
#include "reference/TfKlassif1.h"
#include "reference/TfKlassif1Gr.h"
#include "reference/TfOtsiKliTelefon.h"
#include "reference/TfTooteGrupid.h"
#include "reference/TfTooted.h"
#include "ui/TfChildBtnBarForm01.h"

QWidget *WindowCatalog::create(const QString &className, const WindowContext &context)
{
    using Factory = std::function<QWidget *(const WindowContext &)>;
    static const std::map<QString, Factory> windows = {
        {QStringLiteral("TfKliendidList"), [](const WindowContext &c) { return new TfKliendidList(c); }},
        {QStringLiteral("TfKontaktIsikudKoond"), [](const WindowContext &c) { return new TfKontaktIsikudKoond(c); }},
        {QStringLiteral("TfPlaneeritudKontaktid"), [](const WindowContext &c) { return new TfPlaneeritudKontaktid(c); }},
        {QStringLiteral("TfKontaktidKoond"), [](const WindowContext &c) { return new TfKontaktidKoond(c); }},
        {QStringLiteral("TfAmetid"), [](const WindowContext &c) { return new TfAmetid(c); }},
        {QStringLiteral("TfKlassif1"), [](const WindowContext &c) { return new TfKlassif1(c); }},
        {QStringLiteral("TfKlassif1Gr"), [](const WindowContext &c) { return new TfKlassif1Gr(c); }},
        {QStringLiteral("TfOtsiKliTelefon"), [](const WindowContext &c) { return new TfOtsiKliTelefon(c); }},
        {QStringLiteral("TfPyhad"), [](const WindowContext &c) { return new TfPyhad(c); }},
        {QStringLiteral("TfAgendid"), [](const WindowContext &c) { return new TfAgendid(c); }},
        {QStringLiteral("TfKontaktiLiigid"), [](const WindowContext &c) { return new TfKontaktiLiigid(c); }},
        {QStringLiteral("TfAgMinutMaxMyyk"), [](const WindowContext &c) { return new TfAgMinutMaxMyyk(c); }},
        {QStringLiteral("TfProjektid"), [](const WindowContext &c) { return new TfProjektid(c); }},
        {QStringLiteral("TfOmandiVormid"), [](const WindowContext &c) { return new TfOmandiVormid(c); }},
        {QStringLiteral("TfRiigid"), [](const WindowContext &c) { return new TfRiigid(c); }},
        {QStringLiteral("TfLinnadVallad"), [](const WindowContext &c) { return new TfLinnadVallad(c); }},
        {QStringLiteral("TfTooteGrupid"), [](const WindowContext &c) { return new TfTooteGrupid(c); }},
        {QStringLiteral("TfTooted"), [](const WindowContext &c) { return new TfTooted(c); }},
    };
    const auto it = windows.find(className);
    return it == windows.end() ? nullptr : it->second(context);
}
