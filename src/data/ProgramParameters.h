#pragma once

#include <QString>

namespace fb {
class Transaction;
}

// The system-wide settings every workstation shares: named text values in KPARAMS. Each value is
// read from the table when asked for, so that a change made at another workstation counts at once.
class ProgramParameters
{
public:
    explicit ProgramParameters(fb::Transaction &transaction);

    // The value of the row with exactly that name; the default when there is none (nothing is created).
    QString GetParameter(const QString &name, const QString &defaultValue = QString());
    // Inserts the row or updates its value, and commits retaining the transaction when anything
    // changed. A value equal to the stored one writes nothing.
    bool SetParameter(const QString &name, const QString &value);

    fb::Transaction &transaction() const { return *m_transaction; }

    // The parameters the program reads.
    static constexpr const char *DialerOutsideLineAccess = "DialerOutsideLineAccess";
    static constexpr const char *DocumentsRootDirectory = "DocumentsRootDirectory";
    static constexpr const char *EMailMethodIndex = "EMailMethodIndex"; // 0 MAPI, 1 direct SMTP
    static constexpr const char *SMTPServerHost = "SMTPServerHost";
    static constexpr const char *DefaultMailMsgType = "DefaultMailMsgType"; // "", "SMTP" or "FAX"

private:
    fb::Transaction *m_transaction;
};
