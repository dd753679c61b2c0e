#pragma once

#include <memory>

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include "TextCodec.h"

namespace fb {

class Transaction;

struct ConnectParams
{
    QString database;                          // local path, or host[/port]:path
    QString user;
    QString password;
    QString role;                              // SQL role; empty: none
    QString charset = QStringLiteral("ISO8859_1"); // lc_ctype of the connection
};

// One attachment to a database. Move-only; the destructor detaches and never commits.
class Attachment
{
public:
    Attachment() = default;
    ~Attachment();
    Attachment(Attachment &&other) noexcept;
    Attachment &operator=(Attachment &&other) noexcept;
    Attachment(const Attachment &) = delete;
    Attachment &operator=(const Attachment &) = delete;

    static Attachment attach(const ConnectParams &params);
    // Creates a dialect 3 database with the given page size and default character set, attached.
    static Attachment create(const ConnectParams &params, int pageSize = 8192,
                             const QString &defaultCharset = QStringLiteral("ISO8859_1"));

    bool isAttached() const noexcept { return m_handle != 0; }
    void detach();
    // Drops the attached database; the attachment is closed afterwards.
    void dropDatabase();

    // Runs a statement without parameters or results in the given transaction.
    void executeImmediate(Transaction &tr, const QString &sql);

    // Names of the users attached to the database right now (one entry per attachment).
    QStringList attachedUserNames();
    // The answer to a database information request (isc_database_info) for the items, whole: a
    // buffer too small for it is grown and the request repeated.
    QByteArray databaseInfo(const QByteArray &items);

    // The columns of a table or view that the server computes (COMPUTED BY), read from the system
    // tables once per relation and kept for the life of the attachment.
    const QSet<QString> &computedColumns(Transaction &tr, const QString &relation);

    const ConnectParams &params() const noexcept { return m_params; }
    const TextCodec &codec() const noexcept { return *m_codec; }
    unsigned int *handlePtr() noexcept { return &m_handle; }
    unsigned int handle() const noexcept { return m_handle; }

private:
    unsigned int m_handle = 0; // isc_db_handle
    ConnectParams m_params;
    std::unique_ptr<TextCodec> m_codec;
    QHash<QString, QSet<QString>> m_computedColumns;
};

} // namespace fb
