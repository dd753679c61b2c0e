#include "Statement.h"

#include <cstdlib>
#include <cmath>
#include <cstring>

#include <QElapsedTimer>
#include <QScopeGuard>
#include <QStringList>

#include <ibase.h>

#include "Attachment.h"
#include "Blob.h"
#include "FbError.h"
#include "TextCodec.h"
#include "Trace.h"
#include "Transaction.h"

namespace fb {

namespace {

constexpr int JulianDayOfIscEpoch = 2400001; // 17 November 1858, day 0 of ISC_DATE

struct SqldaDeleter
{
    void operator()(XSQLDA *p) const noexcept { std::free(p); }
};
using SqldaPtr = std::unique_ptr<XSQLDA, SqldaDeleter>;

SqldaPtr allocSqlda(int n)
{
    const int count = n < 1 ? 1 : n;
    auto *p = static_cast<XSQLDA *>(std::calloc(1, XSQLDA_LENGTH(count)));
    p->version = SQLDA_VERSION1;
    p->sqln = static_cast<ISC_SHORT>(count);
    return SqldaPtr(p);
}

FieldKind kindOf(short type, short scale, short subType)
{
    switch (type) {
    case SQL_TEXT:
    case SQL_VARYING:
        return FieldKind::Text;
    case SQL_SHORT:
        return scale < 0 ? FieldKind::Numeric : FieldKind::SmallInt;
    case SQL_LONG:
        return scale < 0 ? FieldKind::Numeric : FieldKind::Integer;
    case SQL_INT64:
        return scale < 0 ? FieldKind::Numeric : FieldKind::BigInt;
    case SQL_FLOAT:
        return FieldKind::Float;
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return FieldKind::Double;
    case SQL_TYPE_DATE:
        return FieldKind::Date;
    case SQL_TYPE_TIME:
        return FieldKind::Time;
    case SQL_TIMESTAMP:
        return FieldKind::Timestamp;
    case SQL_BLOB:
        return subType == 1 ? FieldKind::TextBlob : FieldKind::Blob;
    case SQL_BOOLEAN:
        return FieldKind::Boolean;
    default:
        return FieldKind::Unknown;
    }
}

ColumnInfo describe(const XSQLVAR &v, int bytesPerChar)
{
    ColumnInfo c;
    c.name = QString::fromUtf8(v.sqlname, v.sqlname_length);
    c.alias = QString::fromUtf8(v.aliasname, v.aliasname_length);
    c.relation = QString::fromUtf8(v.relname, v.relname_length);
    c.sqlType = static_cast<short>(v.sqltype & ~1);
    c.scale = v.sqlscale;
    c.subType = v.sqlsubtype;
    c.length = v.sqllen;
    c.nullable = (v.sqltype & 1) != 0;
    c.kind = kindOf(c.sqlType, c.scale, c.subType);
    if (c.kind == FieldKind::Text) {
        // A column in a one-byte character set keeps its length whatever the connection's width.
        const int cs = v.sqlsubtype & 0xFF;
        const bool singleByte = cs == 0 || cs == 1 || cs == 2 || (cs >= 10 && cs <= 40) || (cs >= 50 && cs <= 63);
        c.charLength = singleByte ? c.length : c.length / bytesPerChar;
    }
    return c;
}

QDate toQDate(ISC_DATE d)
{
    return QDate::fromJulianDay(static_cast<qint64>(d) + JulianDayOfIscEpoch);
}

QTime toQTime(ISC_TIME t)
{
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(t / 10));
}

ISC_DATE fromQDate(const QDate &d)
{
    return static_cast<ISC_DATE>(d.toJulianDay() - JulianDayOfIscEpoch);
}

ISC_TIME fromQTime(const QTime &t)
{
    return static_cast<ISC_TIME>(t.msecsSinceStartOfDay()) * 10;
}

} // namespace

// The value bound to one input parameter, in the type the program gives it; the server converts it
// to the parameter's declared type.
struct ParamSlot
{
    short type = SQL_TEXT;
    short scale = 0;
    short subType = 0;
    short ind = -1;
    QByteArray text;
    union {
        ISC_INT64 i64;
        double dbl;
        ISC_DATE date;
        ISC_TIME time;
        ISC_TIMESTAMP ts;
        ISC_QUAD quad;
        FB_BOOLEAN boolean;
    } v{};
};

struct Statement::Impl
{
    isc_stmt_handle handle = 0;
    Attachment *attachment = nullptr;
    SqldaPtr in;
    SqldaPtr out;
    std::vector<char> outBuf;
    std::vector<short> outInd;
    std::vector<ParamSlot> paramSlots;

    ~Impl()
    {
        if (handle) {
            ISC_STATUS_ARRAY st;
            isc_dsql_free_statement(st, &handle, DSQL_drop);
        }
    }
    const XSQLVAR &outVar(int i) const { return out->sqlvar[i]; }
    const char *data(int i) const { return out->sqlvar[i].sqldata; }
};

Statement::Statement(Transaction &transaction, const QString &sql)
    : d(std::make_unique<Impl>()), m_transaction(&transaction), m_sql(sql)
{
    Attachment &att = transaction.attachment();
    d->attachment = &att;
    if (!transaction.isActive())
        transaction.start();

    ISC_STATUS_ARRAY st;
    isc_dsql_allocate_statement(st, att.handlePtr(), &d->handle);
    FbError::check(st);

    const QByteArray text = att.codec().encode(sql);
    d->out = allocSqlda(20);
    isc_dsql_prepare(st, transaction.handlePtr(), &d->handle, 0, text.constData(), SQL_DIALECT_V6, d->out.get());
    FbError::check(st);
    if (d->out->sqld > d->out->sqln) {
        d->out = allocSqlda(d->out->sqld);
        isc_dsql_describe(st, &d->handle, SQL_DIALECT_V6, d->out.get());
        FbError::check(st);
    }

    // Statement type.
    const char typeItem[] = {isc_info_sql_stmt_type};
    char info[16];
    isc_dsql_sql_info(st, &d->handle, sizeof typeItem, typeItem, sizeof info, info);
    FbError::check(st);
    if (info[0] == isc_info_sql_stmt_type) {
        const auto len = static_cast<short>(isc_vax_integer(info + 1, 2));
        switch (isc_vax_integer(info + 3, len)) {
        case isc_info_sql_stmt_select: m_type = Type::Select; break;
        case isc_info_sql_stmt_select_for_upd: m_type = Type::SelectForUpdate; break;
        case isc_info_sql_stmt_insert: m_type = Type::Insert; break;
        case isc_info_sql_stmt_update: m_type = Type::Update; break;
        case isc_info_sql_stmt_delete: m_type = Type::Delete; break;
        case isc_info_sql_stmt_ddl: m_type = Type::Ddl; break;
        case isc_info_sql_stmt_exec_procedure: m_type = Type::ExecProcedure; break;
        case isc_info_sql_stmt_set_generator: m_type = Type::SetGenerator; break;
        default: m_type = Type::Other; break;
        }
    }

    // Output buffers: one block, each value aligned to 8 bytes.
    const int bpc = att.codec().maxBytesPerChar();
    const int nOut = d->out->sqld;
    d->out->sqln = static_cast<ISC_SHORT>(std::max(nOut, 1));
    std::vector<size_t> offsets(nOut);
    size_t total = 0;
    for (int i = 0; i < nOut; ++i) {
        XSQLVAR &v = d->out->sqlvar[i];
        m_columns.push_back(describe(v, bpc));
        size_t len = v.sqllen;
        if ((v.sqltype & ~1) == SQL_VARYING)
            len += 2;
        offsets[i] = total;
        total += (len + 7) & ~size_t(7);
    }
    d->outBuf.assign(total + 8, 0);
    d->outInd.assign(std::max(nOut, 1), 0);
    for (int i = 0; i < nOut; ++i) {
        XSQLVAR &v = d->out->sqlvar[i];
        v.sqldata = d->outBuf.data() + offsets[i];
        v.sqlind = &d->outInd[i];
        v.sqltype = static_cast<ISC_SHORT>(v.sqltype | 1);
        m_rawData.push_back(v.sqldata);
    }
    m_rawInd = d->outInd.data();

    // Input parameters.
    d->in = allocSqlda(10);
    isc_dsql_describe_bind(st, &d->handle, SQL_DIALECT_V6, d->in.get());
    FbError::check(st);
    if (d->in->sqld > d->in->sqln) {
        d->in = allocSqlda(d->in->sqld);
        isc_dsql_describe_bind(st, &d->handle, SQL_DIALECT_V6, d->in.get());
        FbError::check(st);
    }
    const int nIn = d->in->sqld;
    d->in->sqln = static_cast<ISC_SHORT>(std::max(nIn, 1));
    for (int i = 0; i < nIn; ++i)
        m_params.push_back(describe(d->in->sqlvar[i], bpc));
    d->paramSlots.resize(nIn);
}

Statement::~Statement() = default;

Statement::Statement(Statement &&other) noexcept
    : d(std::move(other.d)),
      m_transaction(other.m_transaction),
      m_sql(std::move(other.m_sql)),
      m_type(other.m_type),
      m_columns(std::move(other.m_columns)),
      m_params(std::move(other.m_params)),
      m_rawData(std::move(other.m_rawData)),
      m_rawInd(std::exchange(other.m_rawInd, nullptr)),
      m_cursorOpen(std::exchange(other.m_cursorOpen, false)),
      m_singletonPending(std::exchange(other.m_singletonPending, false))
{
}

const ColumnInfo &Statement::paramInfo(int i) const
{
    checkParam(i);
    return m_params[i];
}

const ColumnInfo &Statement::column(int i) const
{
    checkColumn(i);
    return m_columns[i];
}

int Statement::columnIndex(const QString &alias) const
{
    for (int i = 0; i < columnCount(); ++i)
        if (m_columns[i].alias.compare(alias, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void Statement::checkColumn(int i) const
{
    if (i < 0 || i >= columnCount())
        throw FbError::client(QStringLiteral("Column index %1 out of range (0..%2)").arg(i).arg(columnCount() - 1));
}

void Statement::checkParam(int i) const
{
    if (i < 0 || i >= paramCount())
        throw FbError::client(QStringLiteral("Parameter index %1 out of range (0..%2)").arg(i).arg(paramCount() - 1));
}

void Statement::clearParams()
{
    for (auto &s : d->paramSlots)
        s = ParamSlot{};
}

void Statement::setNull(int i)
{
    checkParam(i);
    d->paramSlots[i] = ParamSlot{};
}

void Statement::setInt(int i, qint64 value)
{
    checkParam(i);
    ParamSlot &s = d->paramSlots[i];
    s = ParamSlot{};
    s.type = SQL_INT64;
    s.ind = 0;
    s.v.i64 = value;
}

void Statement::setDouble(int i, double value)
{
    checkParam(i);
    ParamSlot &s = d->paramSlots[i];
    s = ParamSlot{};
    s.type = SQL_DOUBLE;
    s.ind = 0;
    s.v.dbl = value;
}

void Statement::setNumeric(int i, const Numeric &value)
{
    checkParam(i);
    ParamSlot &s = d->paramSlots[i];
    s = ParamSlot{};
    s.type = SQL_INT64;
    s.scale = static_cast<short>(-value.scale);
    s.ind = 0;
    s.v.i64 = value.scaled;
}

void Statement::setString(int i, QStringView value)
{
    checkParam(i);
    const ColumnInfo &p = m_params[i];
    const QByteArray bytes = d->attachment->codec().encode(value);
    if (p.kind == FieldKind::TextBlob || p.kind == FieldKind::Blob) {
        setBytes(i, bytes);
        return;
    }
    if (bytes.size() > 32767)
        throw FbError::client(QStringLiteral("A text of %1 bytes is too long for a parameter").arg(bytes.size()));
    ParamSlot &s = d->paramSlots[i];
    s = ParamSlot{};
    s.type = SQL_TEXT;
    // Text columns are described in the connection's character set; other targets take plain digits.
    s.subType = p.kind == FieldKind::Text ? p.subType : 0;
    s.ind = 0;
    s.text = bytes;
}

void Statement::setBytes(int i, const QByteArray &value)
{
    checkParam(i);
    const ColumnInfo &p = m_params[i];
    ParamSlot &s = d->paramSlots[i];
    s = ParamSlot{};
    s.ind = 0;
    if (p.kind == FieldKind::TextBlob || p.kind == FieldKind::Blob) {
        if (!m_transaction->isActive())
            m_transaction->start();
        s.type = SQL_BLOB;
        s.subType = p.subType;
        s.v.quad = Blob::write(*m_transaction, value);
    } else {
        if (value.size() > 32767)
            throw FbError::client(QStringLiteral("A value of %1 bytes is too long for a parameter").arg(value.size()));
        s.type = SQL_TEXT;
        s.subType = p.kind == FieldKind::Text ? p.subType : 0;
        s.text = value;
    }
}

void Statement::setDate(int i, const QDate &value)
{
    checkParam(i);
    if (!value.isValid()) {
        setNull(i);
        return;
    }
    ParamSlot &s = d->paramSlots[i];
    s = ParamSlot{};
    s.type = SQL_TYPE_DATE;
    s.ind = 0;
    s.v.date = fromQDate(value);
}

void Statement::setTime(int i, const QTime &value)
{
    checkParam(i);
    if (!value.isValid()) {
        setNull(i);
        return;
    }
    ParamSlot &s = d->paramSlots[i];
    s = ParamSlot{};
    s.type = SQL_TYPE_TIME;
    s.ind = 0;
    s.v.time = fromQTime(value);
}

void Statement::setTimestamp(int i, const QDateTime &value)
{
    checkParam(i);
    if (!value.isValid()) {
        setNull(i);
        return;
    }
    ParamSlot &s = d->paramSlots[i];
    s = ParamSlot{};
    s.type = SQL_TIMESTAMP;
    s.ind = 0;
    s.v.ts.timestamp_date = fromQDate(value.date());
    s.v.ts.timestamp_time = fromQTime(value.time());
}

void Statement::setBool(int i, bool value)
{
    checkParam(i);
    if (m_params[i].kind == FieldKind::Boolean) {
        ParamSlot &s = d->paramSlots[i];
        s = ParamSlot{};
        s.type = SQL_BOOLEAN;
        s.ind = 0;
        s.v.boolean = value ? FB_TRUE : FB_FALSE;
    } else if (m_params[i].kind == FieldKind::Text) {
        setString(i, value ? u"Y" : u"N");
    } else {
        setInt(i, value ? 1 : 0);
    }
}

void Statement::setValue(int i, const QVariant &value)
{
    if (!value.isValid() || value.isNull()) {
        setNull(i);
        return;
    }
    if (value.userType() == qMetaTypeId<Numeric>()) {
        setNumeric(i, value.value<Numeric>());
        return;
    }
    switch (value.userType()) {
    case QMetaType::Bool: setBool(i, value.toBool()); break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: setInt(i, value.toLongLong()); break;
    case QMetaType::Double:
    case QMetaType::Float: setDouble(i, value.toDouble()); break;
    case QMetaType::QDate: setDate(i, value.toDate()); break;
    case QMetaType::QTime: setTime(i, value.toTime()); break;
    case QMetaType::QDateTime: setTimestamp(i, value.toDateTime()); break;
    case QMetaType::QByteArray: setBytes(i, value.toByteArray()); break;
    default: setString(i, value.toString()); break;
    }
}

void Statement::execute()
{
    if (!m_transaction->isActive())
        m_transaction->start();
    closeCursor();
    m_singletonPending = false;

    const int nIn = paramCount();
    d->in->sqld = static_cast<ISC_SHORT>(nIn);
    for (int i = 0; i < nIn; ++i) {
        ParamSlot &s = d->paramSlots[i];
        XSQLVAR &v = d->in->sqlvar[i];
        v.sqltype = static_cast<ISC_SHORT>(s.type | 1);
        v.sqlscale = s.scale;
        v.sqlsubtype = s.subType;
        v.sqlind = &s.ind;
        switch (s.type) {
        case SQL_TEXT:
            v.sqllen = static_cast<ISC_SHORT>(s.text.size());
            v.sqldata = s.ind == 0 ? s.text.data() : reinterpret_cast<char *>(&s.v);
            if (s.ind != 0)
                v.sqllen = 1;
            break;
        case SQL_INT64: v.sqllen = sizeof(ISC_INT64); v.sqldata = reinterpret_cast<char *>(&s.v.i64); break;
        case SQL_DOUBLE: v.sqllen = sizeof(double); v.sqldata = reinterpret_cast<char *>(&s.v.dbl); break;
        case SQL_TYPE_DATE: v.sqllen = sizeof(ISC_DATE); v.sqldata = reinterpret_cast<char *>(&s.v.date); break;
        case SQL_TYPE_TIME: v.sqllen = sizeof(ISC_TIME); v.sqldata = reinterpret_cast<char *>(&s.v.time); break;
        case SQL_TIMESTAMP: v.sqllen = sizeof(ISC_TIMESTAMP); v.sqldata = reinterpret_cast<char *>(&s.v.ts); break;
        case SQL_BLOB: v.sqllen = sizeof(ISC_QUAD); v.sqldata = reinterpret_cast<char *>(&s.v.quad); break;
        case SQL_BOOLEAN: v.sqllen = sizeof(FB_BOOLEAN); v.sqldata = reinterpret_cast<char *>(&s.v.boolean); break;
        default: break;
        }
    }

    QElapsedTimer timer;
    if (Trace::enabled()) {
        timer.start();
        QStringList values;
        for (int i = 0; i < nIn; ++i) {
            const ParamSlot &ps = d->paramSlots[i];
            if (ps.ind != 0)
                values << QStringLiteral("NULL");
            else if (ps.type == SQL_TEXT)
                values << QLatin1Char('\'') + d->attachment->codec().decode(ps.text) + QLatin1Char('\'');
            else if (ps.type == SQL_INT64)
                values << Numeric{ps.v.i64, -ps.scale}.toString();
            else if (ps.type == SQL_DOUBLE)
                values << QString::number(ps.v.dbl);
            else if (ps.type == SQL_TYPE_DATE)
                values << toQDate(ps.v.date).toString(Qt::ISODate);
            else
                values << QStringLiteral("<value>");
        }
        Trace::write(QStringLiteral("execute: ") + m_sql.simplified() +
                     (values.isEmpty() ? QString() : QStringLiteral("  params: ") + values.join(QStringLiteral(", "))));
    }
    const auto traceTime = qScopeGuard([&] {
        if (timer.isValid())
            Trace::write(QStringLiteral("  time: %1 ms").arg(static_cast<double>(timer.nsecsElapsed()) / 1e6, 0, 'f', 2));
    });
    ISC_STATUS_ARRAY st;
    const bool isSelect = m_type == Type::Select || m_type == Type::SelectForUpdate;
    if (!isSelect && columnCount() > 0) {
        isc_dsql_execute2(st, m_transaction->handlePtr(), &d->handle, SQL_DIALECT_V6, nIn ? d->in.get() : nullptr,
                          d->out.get());
        FbError::check(st);
        m_singletonPending = true;
        return;
    }
    isc_dsql_execute(st, m_transaction->handlePtr(), &d->handle, SQL_DIALECT_V6, nIn ? d->in.get() : nullptr);
    FbError::check(st);
    m_cursorOpen = isSelect;
}

bool Statement::fetch()
{
    if (m_singletonPending) {
        m_singletonPending = false;
        return true;
    }
    if (!m_cursorOpen)
        return false;
    ISC_STATUS_ARRAY st;
    const ISC_STATUS rc = isc_dsql_fetch(st, &d->handle, SQL_DIALECT_V6, d->out.get());
    if (rc == 100) {
        closeCursor();
        return false;
    }
    if (rc != 0) {
        const FbError err = FbError::fromStatus(st);
        closeCursor();
        throw err;
    }
    return true;
}

void Statement::closeCursor()
{
    if (!m_cursorOpen)
        return;
    m_cursorOpen = false;
    ISC_STATUS_ARRAY st;
    isc_dsql_free_statement(st, &d->handle, DSQL_close);
}

int Statement::affectedRows()
{
    const char items[] = {isc_info_sql_records};
    char buf[64];
    ISC_STATUS_ARRAY st;
    isc_dsql_sql_info(st, &d->handle, sizeof items, items, sizeof buf, buf);
    FbError::check(st);
    if (buf[0] != isc_info_sql_records)
        return 0;
    int total = 0;
    const char *p = buf + 3;
    while (*p != isc_info_end && p < buf + sizeof buf - 3) {
        const char item = *p++;
        const auto len = static_cast<short>(isc_vax_integer(p, 2));
        p += 2;
        const int count = static_cast<int>(isc_vax_integer(p, len));
        p += len;
        if (item == isc_info_req_insert_count || item == isc_info_req_update_count || item == isc_info_req_delete_count)
            total += count;
    }
    return total;
}

bool Statement::isNull(int i) const
{
    checkColumn(i);
    return d->outInd[i] < 0;
}

qint64 Statement::getInt(int i) const
{
    checkColumn(i);
    if (d->outInd[i] < 0)
        return 0;
    const XSQLVAR &v = d->outVar(i);
    qint64 raw = 0;
    switch (v.sqltype & ~1) {
    case SQL_SHORT: raw = *reinterpret_cast<const ISC_SHORT *>(v.sqldata); break;
    case SQL_LONG: raw = *reinterpret_cast<const ISC_LONG *>(v.sqldata); break;
    case SQL_INT64: raw = *reinterpret_cast<const ISC_INT64 *>(v.sqldata); break;
    case SQL_FLOAT:
    case SQL_DOUBLE: return static_cast<qint64>(std::llround(getDouble(i)));
    case SQL_BOOLEAN: return *reinterpret_cast<const FB_BOOLEAN *>(v.sqldata) ? 1 : 0;
    default: {
        bool ok = false;
        const qint64 n = getString(i).trimmed().toLongLong(&ok);
        if (!ok)
            throw FbError::client(QStringLiteral("Column %1 does not hold a whole number").arg(m_columns[i].alias));
        return n;
    }
    }
    return v.sqlscale < 0 ? Numeric{raw, -v.sqlscale}.rescaled(0).scaled : raw;
}

double Statement::getDouble(int i) const
{
    checkColumn(i);
    if (d->outInd[i] < 0)
        return 0.0;
    const XSQLVAR &v = d->outVar(i);
    switch (v.sqltype & ~1) {
    case SQL_FLOAT: return *reinterpret_cast<const float *>(v.sqldata);
    case SQL_DOUBLE:
    case SQL_D_FLOAT: return *reinterpret_cast<const double *>(v.sqldata);
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64: return getNumeric(i).toDouble();
    default: return getString(i).toDouble();
    }
}

Numeric Statement::getNumeric(int i) const
{
    checkColumn(i);
    const XSQLVAR &v = d->outVar(i);
    const int scale = v.sqlscale < 0 ? -v.sqlscale : 0;
    if (d->outInd[i] < 0)
        return Numeric{0, scale};
    switch (v.sqltype & ~1) {
    case SQL_SHORT: return Numeric{*reinterpret_cast<const ISC_SHORT *>(v.sqldata), scale};
    case SQL_LONG: return Numeric{*reinterpret_cast<const ISC_LONG *>(v.sqldata), scale};
    case SQL_INT64: return Numeric{*reinterpret_cast<const ISC_INT64 *>(v.sqldata), scale};
    case SQL_FLOAT:
    case SQL_DOUBLE: return Numeric::fromDouble(getDouble(i), 4);
    default: {
        bool ok = false;
        const Numeric n = Numeric::fromString(getString(i), 4, &ok);
        if (!ok)
            throw FbError::client(QStringLiteral("Column %1 does not hold a number").arg(m_columns[i].alias));
        return n;
    }
    }
}

QString Statement::getString(int i) const
{
    checkColumn(i);
    if (d->outInd[i] < 0)
        return QString();
    const XSQLVAR &v = d->outVar(i);
    const TextCodec &codec = d->attachment->codec();
    switch (v.sqltype & ~1) {
    case SQL_VARYING: {
        const auto len = *reinterpret_cast<const unsigned short *>(v.sqldata);
        return codec.decode(v.sqldata + 2, len);
    }
    case SQL_TEXT: {
        // CHAR values arrive padded to their full width; the padding is not part of the value.
        qsizetype len = v.sqllen;
        while (len > 0 && v.sqldata[len - 1] == ' ')
            --len;
        return codec.decode(v.sqldata, len);
    }
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64:
        return v.sqlscale < 0 ? getNumeric(i).toString() : QString::number(getInt(i));
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT: return QString::number(getDouble(i), 'g', 15);
    case SQL_TYPE_DATE: return getDate(i).toString(Qt::ISODate);
    case SQL_TYPE_TIME: return getTime(i).toString(QStringLiteral("HH:mm:ss"));
    case SQL_TIMESTAMP: return getTimestamp(i).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case SQL_BOOLEAN: return getBool(i) ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case SQL_BLOB: {
        const QByteArray bytes = getBytes(i);
        return v.sqlsubtype == 1 ? codec.decode(bytes) : QString::fromLatin1(bytes);
    }
    default: return QString();
    }
}

QByteArray Statement::getBytes(int i) const
{
    checkColumn(i);
    if (d->outInd[i] < 0)
        return QByteArray();
    const XSQLVAR &v = d->outVar(i);
    switch (v.sqltype & ~1) {
    case SQL_BLOB: return Blob::read(*m_transaction, *reinterpret_cast<const ISC_QUAD *>(v.sqldata));
    case SQL_VARYING:
        return QByteArray(v.sqldata + 2, *reinterpret_cast<const unsigned short *>(v.sqldata));
    case SQL_TEXT: return QByteArray(v.sqldata, v.sqllen);
    default: return getString(i).toUtf8();
    }
}

QDate Statement::getDate(int i) const
{
    checkColumn(i);
    if (d->outInd[i] < 0)
        return QDate();
    const XSQLVAR &v = d->outVar(i);
    switch (v.sqltype & ~1) {
    case SQL_TYPE_DATE: return toQDate(*reinterpret_cast<const ISC_DATE *>(v.sqldata));
    case SQL_TIMESTAMP: return toQDate(reinterpret_cast<const ISC_TIMESTAMP *>(v.sqldata)->timestamp_date);
    default: return QDate::fromString(getString(i), Qt::ISODate);
    }
}

QTime Statement::getTime(int i) const
{
    checkColumn(i);
    if (d->outInd[i] < 0)
        return QTime();
    const XSQLVAR &v = d->outVar(i);
    switch (v.sqltype & ~1) {
    case SQL_TYPE_TIME: return toQTime(*reinterpret_cast<const ISC_TIME *>(v.sqldata));
    case SQL_TIMESTAMP: return toQTime(reinterpret_cast<const ISC_TIMESTAMP *>(v.sqldata)->timestamp_time);
    default: return QTime::fromString(getString(i), Qt::ISODate);
    }
}

QDateTime Statement::getTimestamp(int i) const
{
    checkColumn(i);
    if (d->outInd[i] < 0)
        return QDateTime();
    const XSQLVAR &v = d->outVar(i);
    switch (v.sqltype & ~1) {
    case SQL_TIMESTAMP: {
        const auto *ts = reinterpret_cast<const ISC_TIMESTAMP *>(v.sqldata);
        return QDateTime(toQDate(ts->timestamp_date), toQTime(ts->timestamp_time));
    }
    case SQL_TYPE_DATE: return QDateTime(getDate(i), QTime(0, 0));
    default: return QDateTime::fromString(getString(i), Qt::ISODate);
    }
}

bool Statement::getBool(int i) const
{
    checkColumn(i);
    if (d->outInd[i] < 0)
        return false;
    const XSQLVAR &v = d->outVar(i);
    switch (v.sqltype & ~1) {
    case SQL_BOOLEAN: return *reinterpret_cast<const FB_BOOLEAN *>(v.sqldata) != 0;
    case SQL_TEXT:
    case SQL_VARYING: {
        const QString s = getString(i).trimmed().toUpper();
        return s == QLatin1String("Y") || s == QLatin1String("1") || s == QLatin1String("TRUE");
    }
    default: return getInt(i) != 0;
    }
}

QVariant Statement::value(int i) const
{
    checkColumn(i);
    if (d->outInd[i] < 0)
        return QVariant();
    const ColumnInfo &c = m_columns[i];
    const XSQLVAR &v = d->outVar(i);
    switch (c.kind) {
    case FieldKind::Text: {
        const QByteArrayView text = textBytes(i);
        return decode(c, text.data(), text.size(), codec());
    }
    case FieldKind::TextBlob:
    case FieldKind::Blob: {
        const QByteArray bytes = getBytes(i);
        return decode(c, bytes.constData(), bytes.size(), codec());
    }
    default: return decode(c, v.sqldata, v.sqllen, codec());
    }
}

QByteArrayView Statement::textBytes(int i) const
{
    checkColumn(i);
    if (d->outInd[i] < 0)
        return QByteArrayView();
    const XSQLVAR &v = d->outVar(i);
    switch (v.sqltype & ~1) {
    case SQL_VARYING: return QByteArrayView(v.sqldata + 2, *reinterpret_cast<const unsigned short *>(v.sqldata));
    case SQL_TEXT: {
        // CHAR values arrive padded to their full width; the padding is not part of the value.
        qsizetype len = v.sqllen;
        while (len > 0 && v.sqldata[len - 1] == ' ')
            --len;
        return QByteArrayView(v.sqldata, len);
    }
    default: return QByteArrayView();
    }
}

const TextCodec &Statement::codec() const noexcept
{
    return d->attachment->codec();
}

QVariant Statement::decode(const ColumnInfo &column, const char *data, qsizetype size, const TextCodec &codec)
{
    // Values in the message buffer are aligned; copies kept elsewhere need not be.
    auto read = [data]<typename T>(T) {
        T value;
        std::memcpy(&value, data, sizeof value);
        return value;
    };
    const auto whole = [&]() -> qint64 {
        switch (column.sqlType) {
        case SQL_SHORT: return read(ISC_SHORT{});
        case SQL_LONG: return read(ISC_LONG{});
        default: return read(ISC_INT64{});
        }
    };
    switch (column.kind) {
    case FieldKind::Text:
    case FieldKind::TextBlob: return codec.decode(data, size);
    case FieldKind::SmallInt:
    case FieldKind::Integer: return static_cast<int>(whole());
    case FieldKind::BigInt: return whole();
    case FieldKind::Numeric: return QVariant::fromValue(Numeric{whole(), -column.scale});
    case FieldKind::Float: return static_cast<double>(read(float{}));
    case FieldKind::Double: return read(double{});
    case FieldKind::Date: return toQDate(read(ISC_DATE{}));
    case FieldKind::Time: return toQTime(read(ISC_TIME{}));
    case FieldKind::Timestamp: {
        const auto ts = read(ISC_TIMESTAMP{});
        return QDateTime(toQDate(ts.timestamp_date), toQTime(ts.timestamp_time));
    }
    case FieldKind::Blob: return QByteArray(data, size);
    case FieldKind::Boolean: return read(FB_BOOLEAN{}) != 0;
    case FieldKind::Unknown: break;
    }
    return QVariant();
}

} // namespace fb
