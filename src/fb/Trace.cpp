#include "Trace.h"

#include <memory>

#include <QDateTime>
#include <QFile>

namespace fb {

namespace {

std::unique_ptr<QFile> &file()
{
    static std::unique_ptr<QFile> f;
    return f;
}

} // namespace

void Trace::enable(const QString &fileName)
{
    auto f = std::make_unique<QFile>(fileName);
    if (f->open(QIODevice::WriteOnly | QIODevice::Append))
        file() = std::move(f);
}

void Trace::disable()
{
    file().reset();
}

bool Trace::enabled()
{
    return file() != nullptr;
}

void Trace::write(const QString &line)
{
    if (!file())
        return;
    file()->write((QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss.zzz ")) + line + QLatin1Char('\n')).toUtf8());
    file()->flush();
}

} // namespace fb
