#include "WindowCatalog.h"

#include <functional>
#include <map>

#include "reference/TfAgMinutMaxMyyk.h"
#include "reference/TfAgendid.h"
#include "reference/TfAmetid.h"
#include "reference/TfKontaktiLiigid.h"
#include "reference/TfLinnadVallad.h"
#include "reference/TfOmandiVormid.h"
#include "reference/TfProjektid.h"
#include "reference/TfPyhad.h"
#include "reference/TfRiigid.h"
#include "ui/TfChildBtnBarForm01.h"

QWidget *WindowCatalog::create(const QString &className, const WindowContext &context)
{
    using Factory = std::function<QWidget *(const WindowContext &)>;
    static const std::map<QString, Factory> windows = {
        {QStringLiteral("TfAmetid"), [](const WindowContext &c) { return new TfAmetid(c); }},
        {QStringLiteral("TfPyhad"), [](const WindowContext &c) { return new TfPyhad(c); }},
        {QStringLiteral("TfAgendid"), [](const WindowContext &c) { return new TfAgendid(c); }},
        {QStringLiteral("TfKontaktiLiigid"), [](const WindowContext &c) { return new TfKontaktiLiigid(c); }},
        {QStringLiteral("TfAgMinutMaxMyyk"), [](const WindowContext &c) { return new TfAgMinutMaxMyyk(c); }},
        {QStringLiteral("TfProjektid"), [](const WindowContext &c) { return new TfProjektid(c); }},
        {QStringLiteral("TfOmandiVormid"), [](const WindowContext &c) { return new TfOmandiVormid(c); }},
        {QStringLiteral("TfRiigid"), [](const WindowContext &c) { return new TfRiigid(c); }},
        {QStringLiteral("TfLinnadVallad"), [](const WindowContext &c) { return new TfLinnadVallad(c); }},
    };
    const auto it = windows.find(className);
    return it == windows.end() ? nullptr : it->second(context);
}
