#pragma once

#include <cstdint>
#include <stdexcept>
#include <vector>

#include <QString>

namespace fb {

// A failure reported by the Firebird client or server. Carries the SQLCODE, the first ISC error code
// (gdscode) with the codes that followed it, and the full text as fb_interpret gives it.
class FbError : public std::runtime_error
{
public:
    FbError(int sqlCode, long gdsCode, std::vector<long> codes, const QString &message);

    // Throws when the status vector holds an error; `context` names the operation for the message.
    static void check(const intptr_t *status, const char *context = nullptr);
    static FbError fromStatus(const intptr_t *status, const char *context = nullptr);
    // A failure detected on the client side (bad parameter index, text not representable, ...).
    static FbError client(const QString &message);

    int sqlCode() const noexcept { return m_sqlCode; }
    long gdsCode() const noexcept { return m_gdsCode; }
    const std::vector<long> &codes() const noexcept { return m_codes; }
    const QString &message() const noexcept { return m_message; }
    bool hasCode(long code) const noexcept;

    bool isLockConflict() const noexcept;
    bool isNoPermission() const noexcept;

    // Well-known ISC error codes the program reacts to.
    static constexpr long IoError = 335544344;        // I/O error on the database file
    static constexpr long NetworkError = 335544721;   // network request failed: server unreachable
    static constexpr long LoginError = 335544472;     // user name and password not defined
    static constexpr long LockConflict = 335544345;   // lock conflict on no wait transaction
    static constexpr long Deadlock = 335544336;       // deadlock / update conflict
    static constexpr long UpdateConflict = 335544451; // update conflicts with concurrent update
    static constexpr long NoPermission = 335544352;   // no permission for ... access
    static constexpr long MetadataUpdate = 335544351; // unsuccessful metadata update
    static constexpr long StringTruncation = 335544914; // string right truncation
    static constexpr long ForeignKey = 335544466;     // violation of FOREIGN KEY constraint
    static constexpr long ForeignKeyReferencesPresent = 335544839; // the row is referred to by others
    static constexpr long Transliteration = 335544565; // cannot transliterate between character sets

private:
    int m_sqlCode;
    long m_gdsCode;
    std::vector<long> m_codes;
    QString m_message;
};

} // namespace fb
