#include "WindowCatalog.h"

#include <functional>
#include <map>

#include "reference/TfAmetid.h"
#include "reference/TfPyhad.h"
#include "ui/TfChildBtnBarForm01.h"

QWidget *WindowCatalog::create(const QString &className, const WindowContext &context)
{
    using Factory = std::function<QWidget *(const WindowContext &)>;
    static const std::map<QString, Factory> windows = {
        {QStringLiteral("TfAmetid"), [](const WindowContext &c) { return new TfAmetid(c); }},
        {QStringLiteral("TfPyhad"), [](const WindowContext &c) { return new TfPyhad(c); }},
    };
    const auto it = windows.find(className);
    return it == windows.end() ? nullptr : it->second(context);
}
