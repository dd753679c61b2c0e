#include "FbError.h"

#include <ibase.h>

#include "Trace.h"

namespace fb {

FbError::FbError(int sqlCode, long gdsCode, std::vector<long> codes, const QString &message)
    : std::runtime_error(message.toStdString()),
      m_sqlCode(sqlCode),
      m_gdsCode(gdsCode),
      m_codes(std::move(codes)),
      m_message(message)
{
}

void FbError::check(const intptr_t *status, const char *context)
{
    if (status[0] == 1 && status[1] != 0)
        throw fromStatus(status, context);
}

FbError FbError::fromStatus(const intptr_t *status, const char *context)
{
    const auto *sv = status;
    const int sqlCode = static_cast<int>(isc_sqlcode(sv));

    // Collect every error code of the vector (argument clusters follow each code).
    std::vector<long> codes;
    for (const ISC_STATUS *p = sv; *p != isc_arg_end;) {
        const ISC_STATUS kind = *p++;
        if (kind == isc_arg_gds)
            codes.push_back(static_cast<long>(*p));
        if (kind == isc_arg_cstring)
            p += 2;
        else
            ++p;
    }

    QString text;
    char buf[1024];
    const ISC_STATUS *p = sv;
    while (fb_interpret(buf, sizeof buf, &p) > 0) {
        if (!text.isEmpty())
            text += QLatin1Char('\n');
        text += QString::fromLocal8Bit(buf);
    }
    if (context && *context)
        text = QString::fromLatin1(context) + QStringLiteral(": ") + text;
    const long first = codes.empty() ? 0 : codes.front();
    Trace::write(QStringLiteral("error: ") + text.simplified());
    return FbError(sqlCode, first, std::move(codes), text);
}

FbError FbError::client(const QString &message)
{
    return FbError(0, 0, {}, message);
}

bool FbError::hasCode(long code) const noexcept
{
    for (long c : m_codes)
        if (c == code)
            return true;
    return false;
}

bool FbError::isLockConflict() const noexcept
{
    return hasCode(LockConflict) || hasCode(Deadlock) || hasCode(UpdateConflict);
}

bool FbError::isNoPermission() const noexcept
{
    return hasCode(NoPermission);
}

} // namespace fb
