#pragma once

#include <memory>
#include <vector>

#include <QByteArrayView>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <QVariant>

#include "Numeric.h"

namespace fb {

class Attachment;
class TextCodec;
class Transaction;

// The kind of value a column or parameter carries, as described by the server.
enum class FieldKind {
    Unknown,
    Text,      // CHAR, VARCHAR
    SmallInt,
    Integer,
    BigInt,
    Numeric,   // NUMERIC/DECIMAL with decimals (scale < 0)
    Float,
    Double,
    Date,
    Time,
    Timestamp,
    TextBlob,
    Blob,      // binary blob
    Boolean,
};

struct ColumnInfo
{
    QString name;     // the field name (sqlname)
    QString alias;    // the name the select gives it; equals name unless aliased
    QString relation; // the table it comes from; empty for expressions
    FieldKind kind = FieldKind::Unknown;
    short sqlType = 0; // SQL_* code without the nullable bit
    short scale = 0;   // negative: decimals
    short subType = 0;
    short length = 0;  // bytes
    bool nullable = true;
    // Characters a text column holds (bytes divided by the character set's width).
    int charLength = 0;
};

// A prepared DSQL statement with positional parameters (`?`). Move-only.
class Statement
{
public:
    enum class Type { Select, SelectForUpdate, Insert, Update, Delete, Ddl, ExecProcedure, SetGenerator, Other };

    Statement(Transaction &transaction, const QString &sql);
    ~Statement();
    Statement(Statement &&other) noexcept;
    Statement &operator=(Statement &&) = delete;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    const QString &sql() const noexcept { return m_sql; }
    Type type() const noexcept { return m_type; }
    Transaction &transaction() const noexcept { return *m_transaction; }
    // Later executions run in this transaction (it must belong to the same attachment).
    void setTransaction(Transaction &transaction) noexcept { m_transaction = &transaction; }

    int paramCount() const noexcept { return static_cast<int>(m_params.size()); }
    const ColumnInfo &paramInfo(int i) const;
    int columnCount() const noexcept { return static_cast<int>(m_columns.size()); }
    const ColumnInfo &column(int i) const;
    // Index of the column with that alias (case-insensitive), or -1.
    int columnIndex(const QString &alias) const;

    void clearParams();
    void setNull(int i);
    void setInt(int i, qint64 value);
    void setDouble(int i, double value);
    void setNumeric(int i, const Numeric &value);
    void setString(int i, QStringView value);
    void setBytes(int i, const QByteArray &value);
    void setDate(int i, const QDate &value);
    void setTime(int i, const QTime &value);
    void setTimestamp(int i, const QDateTime &value);
    void setBool(int i, bool value);
    // Null for an invalid or null QVariant; otherwise by the variant's type.
    void setValue(int i, const QVariant &value);

    // Runs the statement. A select opens its cursor (fetch() walks it); a statement with results
    // that is not a select (RETURNING, EXECUTE PROCEDURE) delivers its one row to the first fetch().
    void execute();
    bool fetch();
    void closeCursor();
    bool isCursorOpen() const noexcept { return m_cursorOpen; }
    // Rows inserted, updated or deleted by the last execution.
    int affectedRows();

    bool isNull(int i) const;
    qint64 getInt(int i) const;
    double getDouble(int i) const;
    Numeric getNumeric(int i) const;
    QString getString(int i) const; // any type as text; text blobs are read whole
    QByteArray getBytes(int i) const;
    QDate getDate(int i) const;
    QTime getTime(int i) const;
    QDateTime getTimestamp(int i) const;
    bool getBool(int i) const;
    // The value as a QVariant (NUMERIC with decimals as fb::Numeric); null gives an invalid QVariant.
    QVariant value(int i) const;
    // The bytes of a CHAR or VARCHAR value in the connection's character set, without the length word
    // or the padding of CHAR; empty for null. Valid until the next fetch.
    QByteArrayView textBytes(int i) const;

    // The current row as it arrived in the message buffer, for copying it without conversion
    // (RowStore): the address of a column's value in the server's binary form, and its null flag.
    // No range check: these run once per column of every fetched row.
    const char *rawData(int i) const noexcept { return m_rawData[static_cast<size_t>(i)]; }
    bool rawIsNull(int i) const noexcept { return m_rawInd[i] < 0; }
    const TextCodec &codec() const noexcept;

    // A column's value from the bytes of its type as they arrived: numbers, dates and times in the
    // server's binary form, texts without the length word or CHAR padding, blobs as their contents.
    // value() gives exactly this for a fetched column.
    static QVariant decode(const ColumnInfo &column, const char *data, qsizetype size, const TextCodec &codec);

private:
    struct Impl;
    void checkColumn(int i) const;
    void checkParam(int i) const;

    std::unique_ptr<Impl> d;
    Transaction *m_transaction;
    QString m_sql;
    Type m_type = Type::Other;
    std::vector<ColumnInfo> m_columns;
    std::vector<ColumnInfo> m_params;
    std::vector<const char *> m_rawData;
    const short *m_rawInd = nullptr;
    bool m_cursorOpen = false;
    bool m_singletonPending = false;
};

} // namespace fb
