#include "Attachment.h"

#include <ibase.h>

#include "FbError.h"
#include "ParamBuffer.h"
#include "Statement.h"
#include "Trace.h"
#include "Transaction.h"

namespace fb {

namespace {

QByteArray dpbFor(const ConnectParams &p)
{
    ParamBuffer dpb(isc_dpb_version1);
    if (!p.user.isEmpty())
        dpb.addString(isc_dpb_user_name, p.user.toUtf8());
    if (!p.password.isEmpty())
        dpb.addString(isc_dpb_password, p.password.toUtf8());
    if (!p.role.isEmpty())
        dpb.addString(isc_dpb_sql_role_name, p.role.toUtf8());
    dpb.addString(isc_dpb_lc_ctype, (p.charset.isEmpty() ? QStringLiteral("NONE") : p.charset).toLatin1());
    dpb.addInt(isc_dpb_sql_dialect, SQL_DIALECT_V6);
    return dpb.bytes();
}

} // namespace

Attachment::~Attachment()
{
    if (m_handle) {
        ISC_STATUS_ARRAY st;
        isc_detach_database(st, &m_handle);
    }
}

Attachment::Attachment(Attachment &&other) noexcept
    : m_handle(std::exchange(other.m_handle, 0)),
      m_params(std::move(other.m_params)),
      m_codec(std::move(other.m_codec)),
      m_computedColumns(std::move(other.m_computedColumns))
{
}

Attachment &Attachment::operator=(Attachment &&other) noexcept
{
    if (this != &other) {
        if (m_handle) {
            ISC_STATUS_ARRAY st;
            isc_detach_database(st, &m_handle);
        }
        m_handle = std::exchange(other.m_handle, 0);
        m_params = std::move(other.m_params);
        m_codec = std::move(other.m_codec);
        m_computedColumns = std::move(other.m_computedColumns);
    }
    return *this;
}

Attachment Attachment::attach(const ConnectParams &params)
{
    Attachment a;
    a.m_params = params;
    a.m_codec = std::make_unique<TextCodec>(params.charset);
    const QByteArray dpb = dpbFor(params);
    const QByteArray name = params.database.toUtf8();
    ISC_STATUS_ARRAY st;
    Trace::write(QStringLiteral("connect: %1 user %2 role %3 charset %4").arg(params.database, params.user, params.role, params.charset));
    isc_attach_database(st, static_cast<short>(name.size()), name.constData(), &a.m_handle,
                        static_cast<short>(dpb.size()), dpb.constData());
    FbError::check(st);
    return a;
}

Attachment Attachment::create(const ConnectParams &params, int pageSize, const QString &defaultCharset)
{
    Attachment a;
    a.m_params = params;
    a.m_codec = std::make_unique<TextCodec>(params.charset);
    QByteArray dpb = dpbFor(params);
    ParamBuffer extra;
    extra.addInt(isc_dpb_page_size, pageSize);
    extra.addString(isc_dpb_set_db_charset, defaultCharset.toLatin1());
    dpb += extra.bytes();
    const QByteArray name = params.database.toUtf8();
    ISC_STATUS_ARRAY st;
    isc_create_database(st, static_cast<short>(name.size()), name.constData(), &a.m_handle,
                        static_cast<short>(dpb.size()), dpb.constData(), 0);
    FbError::check(st);
    return a;
}

void Attachment::detach()
{
    if (!m_handle)
        return;
    ISC_STATUS_ARRAY st;
    isc_detach_database(st, &m_handle);
    m_handle = 0; // the handle is gone even when the server reported a problem
    FbError::check(st);
}

void Attachment::dropDatabase()
{
    if (!m_handle)
        throw FbError::client(QStringLiteral("No database is attached"));
    ISC_STATUS_ARRAY st;
    isc_drop_database(st, &m_handle);
    FbError::check(st);
    m_handle = 0;
}

void Attachment::executeImmediate(Transaction &tr, const QString &sql)
{
    const QByteArray text = m_codec->encode(sql);
    ISC_STATUS_ARRAY st;
    isc_dsql_execute_immediate(st, &m_handle, tr.handlePtr(), 0, text.constData(), SQL_DIALECT_V6, nullptr);
    FbError::check(st);
}

QByteArray Attachment::databaseInfo(const QByteArray &items)
{
    // The length of the answer buffer is a signed 16-bit number: at most 32767 bytes.
    constexpr int largest = 32767;
    for (int size = 256;; size = std::min(size * 4, largest)) {
        QByteArray buf(size, '\0');
        ISC_STATUS_ARRAY st;
        isc_database_info(st, &m_handle, static_cast<short>(items.size()), items.constData(), static_cast<short>(size),
                          buf.data());
        FbError::check(st);

        bool truncated = false;
        const auto *p = reinterpret_cast<const unsigned char *>(buf.constData());
        const auto *end = p + buf.size();
        while (p < end && *p != isc_info_end) {
            if (*p == isc_info_truncated) {
                truncated = true;
                break;
            }
            if (end - p < 3) {
                truncated = true;
                break;
            }
            const int len = static_cast<int>(isc_vax_integer(reinterpret_cast<const ISC_SCHAR *>(p + 1), 2));
            p += 3 + len;
        }
        if (p >= end)
            truncated = true;
        if (!truncated)
            return buf;
        if (size == largest)
            throw FbError::client(QStringLiteral("The database information does not fit in %1 bytes").arg(largest));
    }
}

const QSet<QString> &Attachment::computedColumns(Transaction &tr, const QString &relation)
{
    const QString &key = relation;
    if (const auto it = m_computedColumns.constFind(key); it != m_computedColumns.constEnd())
        return *it;
    QSet<QString> columns;
    Statement st(tr, QStringLiteral("select trim(rf.RDB$FIELD_NAME) from RDB$RELATION_FIELDS rf "
                                    "join RDB$FIELDS f on f.RDB$FIELD_NAME = rf.RDB$FIELD_SOURCE "
                                    "where rf.RDB$RELATION_NAME = ? and f.RDB$COMPUTED_BLR is not null"));
    st.setString(0, key);
    st.execute();
    while (st.fetch())
        columns.insert(st.getString(0));
    return *m_computedColumns.insert(key, columns);
}

QStringList Attachment::attachedUserNames()
{
    const char items[] = {isc_info_user_names, isc_info_end};
    const QByteArray buf = databaseInfo(QByteArray(items, sizeof items));

    QStringList names;
    const auto *p = reinterpret_cast<const unsigned char *>(buf.constData());
    const auto *end = p + buf.size();
    while (p < end && *p != isc_info_end) {
        const unsigned char item = *p++;
        if (item == isc_info_truncated)
            break;
        const int len = static_cast<int>(isc_vax_integer(reinterpret_cast<const ISC_SCHAR *>(p), 2));
        p += 2;
        if (item == isc_info_user_names && len > 0) {
            const int nameLen = p[0];
            names << QString::fromUtf8(reinterpret_cast<const char *>(p + 1), nameLen);
        }
        p += len;
    }
    return names;
}

} // namespace fb
