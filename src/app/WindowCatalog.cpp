#include "WindowCatalog.h"

#include <functional>
#include <map>

#include "reference/TfAmetid.h"
#include "reference/TfKlassif1.h"
#include "reference/TfKlassif1Gr.h"
#include "reference/TfOtsiKliTelefon.h"
#include "reference/TfPyhad.h"
#include "reference/TfTooteGrupid.h"
#include "reference/TfTooted.h"
#include "ui/TfChildBtnBarForm01.h"

QWidget *WindowCatalog::create(const QString &className, const WindowContext &context)
{
    using Factory = std::function<QWidget *(const WindowContext &)>;
    static const std::map<QString, Factory> windows = {
        {QStringLiteral("TfAmetid"), [](const WindowContext &c) { return new TfAmetid(c); }},
        {QStringLiteral("TfKlassif1"), [](const WindowContext &c) { return new TfKlassif1(c); }},
        {QStringLiteral("TfKlassif1Gr"), [](const WindowContext &c) { return new TfKlassif1Gr(c); }},
        {QStringLiteral("TfOtsiKliTelefon"), [](const WindowContext &c) { return new TfOtsiKliTelefon(c); }},
        {QStringLiteral("TfPyhad"), [](const WindowContext &c) { return new TfPyhad(c); }},
        {QStringLiteral("TfTooteGrupid"), [](const WindowContext &c) { return new TfTooteGrupid(c); }},
        {QStringLiteral("TfTooted"), [](const WindowContext &c) { return new TfTooted(c); }},
    };
    const auto it = windows.find(className);
    return it == windows.end() ? nullptr : it->second(context);
}
