#include "Services.h"

#include <utility>

#include <QThread>

#include <ibase.h>

#include "FbError.h"
#include "ParamBuffer.h"

namespace fb {

namespace {

unsigned int readLe(const unsigned char *p, int n)
{
    unsigned int v = 0;
    for (int i = 0; i < n; ++i)
        v |= static_cast<unsigned int>(p[i]) << (8 * i);
    return v;
}

} // namespace

Services Services::attach(const QString &server, const QString &user, const QString &password)
{
    ParamBuffer spb;
    spb.addTag(isc_spb_version);
    spb.addTag(isc_spb_current_version);
    if (!user.isEmpty())
        spb.addString(isc_spb_user_name, user.toUtf8());
    if (!password.isEmpty())
        spb.addString(isc_spb_password, password.toUtf8());
    const QByteArray name = (server.isEmpty() ? QStringLiteral("service_mgr") : server + QStringLiteral(":service_mgr")).toUtf8();
    Services s;
    ISC_STATUS_ARRAY st;
    isc_service_attach(st, static_cast<unsigned short>(name.size()), name.constData(), &s.m_handle,
                       static_cast<unsigned short>(spb.bytes().size()), spb.bytes().constData());
    FbError::check(st);
    return s;
}

Services::~Services()
{
    if (m_handle) {
        ISC_STATUS_ARRAY st;
        isc_service_detach(st, &m_handle);
    }
}

Services::Services(Services &&other) noexcept : m_handle(std::exchange(other.m_handle, 0)) {}

Services &Services::operator=(Services &&other) noexcept
{
    if (this != &other) {
        if (m_handle) {
            ISC_STATUS_ARRAY st;
            isc_service_detach(st, &m_handle);
        }
        m_handle = std::exchange(other.m_handle, 0);
    }
    return *this;
}

void Services::detach()
{
    if (!m_handle)
        return;
    ISC_STATUS_ARRAY st;
    isc_service_detach(st, &m_handle);
    m_handle = 0;
    FbError::check(st);
}

void Services::splitDatabaseName(const QString &name, QString *server, QString *path)
{
    const qsizetype colon = name.indexOf(QLatin1Char(':'));
    // "C:\..." is a drive letter, not a server; a one-character server name does not exist.
    if (colon > 1) {
        *server = name.left(colon);
        *path = name.mid(colon + 1);
    } else {
        server->clear();
        *path = name;
    }
}

void Services::start(const QByteArray &request)
{
    if (!m_handle)
        throw FbError::client(QStringLiteral("The services manager is not attached"));
    // The server may still be finishing the previous action of this attachment.
    for (int attempt = 0;; ++attempt) {
        ISC_STATUS_ARRAY st;
        isc_service_start(st, &m_handle, nullptr, static_cast<unsigned short>(request.size()), request.constData());
        if (st[0] == 1 && st[1] == isc_svc_in_use && attempt < 500) {
            QThread::msleep(10);
            continue;
        }
        FbError::check(st);
        return;
    }
}

void Services::waitUntilDone()
{
    const char request[] = {isc_info_svc_running};
    for (int attempt = 0; attempt < 3000; ++attempt) {
        char buf[16] = {};
        ISC_STATUS_ARRAY st;
        isc_service_query(st, &m_handle, nullptr, 0, nullptr, sizeof request, request, sizeof buf, buf);
        FbError::check(st);
        const auto *p = reinterpret_cast<const unsigned char *>(buf);
        if (*p != isc_info_svc_running || readLe(p + 1, 4) == 0)
            return;
        QThread::msleep(10);
    }
}

void Services::drainOutput(const LineHandler &onLine)
{
    const char request[] = {isc_info_svc_line};
    QByteArray buf(16 * 1024, '\0');
    for (;;) {
        ISC_STATUS_ARRAY st;
        isc_service_query(st, &m_handle, nullptr, 0, nullptr, sizeof request, request,
                          static_cast<unsigned short>(buf.size()), buf.data());
        FbError::check(st);
        const auto *p = reinterpret_cast<const unsigned char *>(buf.constData());
        if (*p != isc_info_svc_line)
            return;
        const unsigned int len = readLe(p + 1, 2);
        if (len == 0) {
            // An empty line with no more data pending is the end of the output.
            if (p[3] == isc_info_data_not_ready)
                continue;
            return;
        }
        if (onLine)
            onLine(QString::fromUtf8(reinterpret_cast<const char *>(p + 3), static_cast<qsizetype>(len)));
    }
}

void Services::backup(const QString &database, const QString &backupFile, const LineHandler &onLine)
{
    ParamBuffer req;
    req.addTag(isc_action_svc_backup);
    req.addString2(isc_spb_dbname, database.toUtf8());
    req.addString2(isc_spb_bkp_file, backupFile.toUtf8());
    req.addTag(isc_spb_verbose);
    start(req.bytes());
    drainOutput(onLine);
}

void Services::restore(const QString &backupFile, const QString &database, bool replace, const LineHandler &onLine,
                       int pageSize)
{
    ParamBuffer req;
    req.addTag(isc_action_svc_restore);
    req.addString2(isc_spb_bkp_file, backupFile.toUtf8());
    req.addString2(isc_spb_dbname, database.toUtf8());
    req.addInt4(isc_spb_options, replace ? isc_spb_res_replace : isc_spb_res_create);
    if (pageSize > 0)
        req.addInt4(isc_spb_res_page_size, static_cast<unsigned int>(pageSize));
    req.addTag(isc_spb_verbose);
    start(req.bytes());
    drainOutput(onLine);
}

void Services::addUser(const UserAccount &account, const QString &password)
{
    ParamBuffer req;
    req.addTag(isc_action_svc_add_user);
    req.addString2(isc_spb_sec_username, account.name.toUtf8());
    req.addString2(isc_spb_sec_password, password.toUtf8());
    if (!account.firstName.isEmpty())
        req.addString2(isc_spb_sec_firstname, account.firstName.toUtf8());
    if (!account.middleName.isEmpty())
        req.addString2(isc_spb_sec_middlename, account.middleName.toUtf8());
    if (!account.lastName.isEmpty())
        req.addString2(isc_spb_sec_lastname, account.lastName.toUtf8());
    start(req.bytes());
    drainOutput({});
    waitUntilDone();
}

void Services::deleteUser(const QString &name)
{
    ParamBuffer req;
    req.addTag(isc_action_svc_delete_user);
    req.addString2(isc_spb_sec_username, name.toUtf8());
    start(req.bytes());
    drainOutput({});
    waitUntilDone();
}

void Services::changePassword(const QString &name, const QString &password)
{
    ParamBuffer req;
    req.addTag(isc_action_svc_modify_user);
    req.addString2(isc_spb_sec_username, name.toUtf8());
    req.addString2(isc_spb_sec_password, password.toUtf8());
    start(req.bytes());
    drainOutput({});
    waitUntilDone();
}

QList<UserAccount> Services::users()
{
    ParamBuffer req;
    req.addTag(isc_action_svc_display_user);
    start(req.bytes());

    // The whole list arrives in one answer of at most 64 KiB.
    QByteArray buf(65535, '\0');
    const char request[] = {isc_info_svc_get_users};
    ISC_STATUS_ARRAY st;
    isc_service_query(st, &m_handle, nullptr, 0, nullptr, sizeof request, request,
                      static_cast<unsigned short>(buf.size()), buf.data());
    FbError::check(st);
    const auto *p = reinterpret_cast<const unsigned char *>(buf.constData());
    QList<UserAccount> list;
    if (*p != isc_info_svc_get_users)
        return list;
    const unsigned int total = readLe(p + 1, 2);
    p += 3;
    const unsigned char *end = p + std::min<unsigned int>(total, static_cast<unsigned int>(buf.size() - 3));
    while (p < end) {
        const unsigned char tag = *p++;
        switch (tag) {
        case isc_spb_sec_username:
        case isc_spb_sec_firstname:
        case isc_spb_sec_middlename:
        case isc_spb_sec_lastname:
        case isc_spb_sec_groupname: {
            const unsigned int len = readLe(p, 2);
            const QString text = QString::fromUtf8(reinterpret_cast<const char *>(p + 2), static_cast<qsizetype>(len));
            p += 2 + len;
            if (tag == isc_spb_sec_username)
                list.append(UserAccount{text, {}, {}, {}, false});
            else if (!list.isEmpty() && tag == isc_spb_sec_firstname)
                list.last().firstName = text;
            else if (!list.isEmpty() && tag == isc_spb_sec_middlename)
                list.last().middleName = text;
            else if (!list.isEmpty() && tag == isc_spb_sec_lastname)
                list.last().lastName = text;
            break;
        }
        case isc_spb_sec_admin:
            if (!list.isEmpty())
                list.last().admin = readLe(p, 4) != 0;
            p += 4;
            break;
        case isc_spb_sec_userid:
        case isc_spb_sec_groupid:
            p += 4;
            break;
        default:
            p = end; // an unknown clumplet: stop rather than misread the rest
            break;
        }
    }
    return list;
}

} // namespace fb
