#include "TDirectInterbase.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>

#include <dlfcn.h>

namespace {

// The order matters: the first missing name ends the binding, and a library that has the names up to
// isc_commit_retaining counts as a usable client.
constexpr const char *kEntryNames[TDirectInterbase::EntryPointCount] = {
    "isc_attach_database",
    "isc_detach_database",
    "isc_drop_database",
    "isc_database_info",
    "isc_start_transaction",
    "isc_commit_transaction",
    "isc_commit_retaining",
    "isc_rollback_transaction",
    "isc_dsql_allocate_statement",
    "isc_dsql_prepare",
    "isc_dsql_execute2",
    "isc_dsql_execute_immediate",
    "isc_decode_timestamp",
    "isc_sqlcode",
    "isc_interprete",
    "isc_sql_interprete",
    "isc_service_attach",
    "isc_service_detach",
    "isc_service_start",
    "isc_service_query",
};

// isc_interprete is declared deprecated in ibase.h; it is still the call every client library has.
using InterpreteFn = ISC_LONG (*)(ISC_SCHAR *, ISC_STATUS **);

constexpr char kClientLibrary[] = "libfbclient.so.2";
constexpr unsigned kMaxSqlErrorText = 512;

void appendLength1(std::string &block, char item, const std::string &value)
{
    const std::string v = value.substr(0, 255);
    block += item;
    block += static_cast<char>(v.size());
    block += v;
}

void appendLength2(std::string &block, char item, const std::string &value)
{
    const std::string v = value.substr(0, 0xFFFF);
    block += item;
    block += static_cast<char>(v.size() & 0xFF);
    block += static_cast<char>((v.size() >> 8) & 0xFF);
    block += v;
}

void appendNumber4(std::string &block, char item, std::uint32_t value)
{
    block += item;
    for (int shift = 0; shift < 32; shift += 8)
        block += static_cast<char>((value >> shift) & 0xFF);
}

} // namespace

void MessageTarget::show(const char *caption, const std::string &text) const
{
    if (callback) {
        callback(owner, caption, text.c_str());
        return;
    }
    std::string plain;
    for (char c : text) {
        if (c != '\r')
            plain += c;
    }
    std::fprintf(stderr, "%s: %s\n", caption, plain.c_str());
}

TDirectInterbase::TDirectInterbase(const std::string &clientDir, MessageTarget owner)
    : m_owner(owner)
{
    m_library = dlopen(libraryFileName(clientDir).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_library)
        return;
    for (int i = 0; i < EntryPointCount; ++i) {
        m_entries[i] = dlsym(m_library, kEntryNames[i]);
        if (!m_entries[i])
            return;
        m_boundCount = i + 1;
    }
    m_bound = true;
}

TDirectInterbase::~TDirectInterbase()
{
    if (m_bound) {
        ISC_STATUS_ARRAY status = {};
        if (m_transaction)
            entry<RollbackTransaction, decltype(&isc_rollback_transaction)>()(status, &m_transaction);
        if (m_database)
            entry<DetachDatabase, decltype(&isc_detach_database)>()(status, &m_database);
        if (m_service)
            entry<ServiceDetach, decltype(&isc_service_detach)>()(status, &m_service);
    }
    if (m_library) {
        // The client library keeps its message file open once it has formatted an error and does not
        // close it when unloaded: an installer would collect one descriptor per reported error.
        using MsgCloseFn = int (*)(void *);
        if (const auto msgClose = reinterpret_cast<MsgCloseFn>(dlsym(m_library, "gds__msg_close")))
            msgClose(nullptr);
        dlclose(m_library);
    }
}

std::string TDirectInterbase::libraryFileName(const std::string &clientDir)
{
    if (clientDir.empty())
        return kClientLibrary;
    return clientDir.back() == '/' ? clientDir + kClientLibrary : clientDir + '/' + kClientLibrary;
}

bool TDirectInterbase::checkError(bool show)
{
    if (m_status[0] != 1 || m_status[1] == 0) {
        m_lastSqlCode = 0;
        return true;
    }
    m_lastSqlCode = entry<SqlCode, decltype(&isc_sqlcode)>()(m_status);
    if (show)
        showLastError();
    return false;
}

bool TDirectInterbase::serverUnreachable() const
{
    // Firebird 3 gives a network failure the SQL code -902 of a refused log-in; only the error code
    // tells the two apart.
    constexpr long kSqlCodeUnavailable = -904;
    return m_lastSqlCode == kSqlCodeUnavailable || (m_lastSqlCode != 0 && m_status[1] == isc_network_error);
}

std::string TDirectInterbase::statusText() const
{
    if (!m_bound)
        return {};
    ISC_STATUS_ARRAY copy;
    std::copy(std::begin(m_status), std::end(m_status), std::begin(copy));
    ISC_STATUS *cursor = copy;
    // isc_interprete writes without a length; its messages are far shorter than this.
    char buffer[2048] = {};
    const auto interprete = entry<Interprete, InterpreteFn>();
    std::string text;
    if (interprete(buffer, &cursor))
        text = buffer;
    while (interprete(buffer, &cursor)) {
        text += "\r\n-";
        text += buffer;
    }
    if (m_lastSqlCode != -999) {
        char sqlText[kMaxSqlErrorText + 1] = {};
        entry<SqlInterprete, decltype(&isc_sql_interprete)>()(static_cast<short>(m_lastSqlCode), sqlText,
                                                              kMaxSqlErrorText);
        text += "\r\n\r\nSQL error: ";
        text += sqlText;
        char code[32];
        std::snprintf(code, sizeof code, " (%ld)", m_lastSqlCode);
        text += code;
    }
    return text;
}

void TDirectInterbase::showLastError() const
{
    m_owner.show("Error", statusText());
}

bool TDirectInterbase::serviceAttach(const std::string &user, const std::string &password, const std::string &server)
{
    if (!m_bound || m_service)
        return false;
    const std::string name = server.empty() ? std::string("service_mgr") : server + ":service_mgr";
    std::string spb;
    spb += static_cast<char>(isc_spb_version);
    spb += static_cast<char>(isc_spb_current_version);
    appendLength1(spb, isc_spb_user_name, user);
    appendLength1(spb, isc_spb_password, password);
    entry<ServiceAttach, decltype(&isc_service_attach)>()(m_status, static_cast<unsigned short>(name.size()),
                                                          name.c_str(), &m_service,
                                                          static_cast<unsigned short>(spb.size()), spb.data());
    return checkError(false);
}

bool TDirectInterbase::serviceDetach()
{
    if (!m_bound || !m_service)
        return false;
    entry<ServiceDetach, decltype(&isc_service_detach)>()(m_status, &m_service);
    // A failed detach leaves a handle the server has forgotten; it must not be detached again.
    m_service = 0;
    return checkError(false);
}

bool TDirectInterbase::serviceStartRestore(const std::string &backupFile, const std::string &databaseFile, bool replace)
{
    if (!m_bound || !m_service)
        return false;
    std::string spb;
    spb += static_cast<char>(isc_action_svc_restore);
    appendLength2(spb, isc_spb_bkp_file, backupFile);
    appendLength2(spb, isc_spb_dbname, databaseFile);
    spb += static_cast<char>(isc_spb_verbose);
    appendNumber4(spb, isc_spb_options, replace ? isc_spb_res_replace : isc_spb_res_create);
    entry<ServiceStart, decltype(&isc_service_start)>()(m_status, &m_service, nullptr,
                                                        static_cast<unsigned short>(spb.size()), spb.data());
    return checkError(false);
}

bool TDirectInterbase::serviceReadOutput()
{
    if (!m_bound || !m_service)
        return false;
    std::string send;
    appendNumber4(send, isc_info_svc_timeout, 60);
    const char request[] = {isc_info_svc_line};
    char buffer[1024];
    const auto query = entry<ServiceQuery, decltype(&isc_service_query)>();
    for (;;) {
        buffer[0] = isc_info_end;
        query(m_status, &m_service, nullptr, static_cast<unsigned short>(send.size()), send.data(), sizeof request,
              request, sizeof buffer, buffer);
        if (!checkError(false))
            return false;
        if (buffer[0] != isc_info_svc_line)
            return true;
        const unsigned length =
            static_cast<unsigned char>(buffer[1]) | (static_cast<unsigned>(static_cast<unsigned char>(buffer[2])) << 8);
        if (length == 0)
            return true;
    }
}
