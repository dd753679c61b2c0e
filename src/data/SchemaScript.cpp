#include "SchemaScript.h"

#include <QFile>
#include <QRegularExpression>

#include "fb/FbError.h"
#include "fb/Transaction.h"

static void initSchemaResource()
{
    Q_INIT_RESOURCE(schema);
}

namespace data {

QString SchemaScript::bundled()
{
    initSchemaResource();
    QFile f(QStringLiteral(":/schema/velkora1.sql"));
    if (!f.open(QIODevice::ReadOnly))
        throw fb::FbError::client(QStringLiteral("The database creation script is missing from the program"));
    return QString::fromUtf8(f.readAll());
}

QStringList SchemaScript::split(const QString &script)
{
    static const QRegularExpression setTerm(QStringLiteral("^\\s*SET\\s+TERM\\s+(\\S+)\\s*(\\S+)\\s*$"),
                                            QRegularExpression::CaseInsensitiveOption);
    QStringList out;
    QString term = QStringLiteral(";");
    QString current;
    const qsizetype n = script.size();
    qsizetype i = 0;
    auto flush = [&]() {
        const QString stmt = current.trimmed();
        current.clear();
        if (stmt.isEmpty())
            return;
        const auto m = setTerm.match(stmt + QLatin1Char(' ') + term);
        if (m.hasMatch() && stmt.startsWith(QLatin1String("SET"), Qt::CaseInsensitive)) {
            term = m.captured(1);
            return;
        }
        out << stmt;
    };
    while (i < n) {
        const QChar c = script.at(i);
        if (c == QLatin1Char('-') && i + 1 < n && script.at(i + 1) == QLatin1Char('-')) {
            while (i < n && script.at(i) != QLatin1Char('\n'))
                ++i;
            continue;
        }
        if (c == QLatin1Char('/') && i + 1 < n && script.at(i + 1) == QLatin1Char('*')) {
            const qsizetype endPos = script.indexOf(QLatin1String("*/"), i + 2);
            i = endPos < 0 ? n : endPos + 2;
            current += QLatin1Char(' ');
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            qsizetype j = i + 1;
            while (j < n) {
                if (script.at(j) == c) {
                    if (j + 1 < n && script.at(j + 1) == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            current += script.mid(i, j - i + 1);
            i = j + 1;
            continue;
        }
        if (QStringView(script).mid(i).startsWith(term)) {
            i += term.size();
            flush();
            continue;
        }
        current += c;
        ++i;
    }
    flush();
    return out;
}

void SchemaScript::run(fb::Attachment &attachment, const QString &script)
{
    for (const QString &stmt : split(script)) {
        fb::Transaction tr(attachment, fb::Transaction::Isolation::Snapshot);
        tr.start();
        try {
            attachment.executeImmediate(tr, stmt);
            tr.commit();
        } catch (const fb::FbError &e) {
            throw fb::FbError(e.sqlCode(), e.gdsCode(), e.codes(),
                              e.message() + QStringLiteral("\nStatement:\n") + stmt.left(2000));
        }
    }
}

fb::Attachment SchemaScript::createDatabase(const fb::ConnectParams &params)
{
    fb::Attachment att = fb::Attachment::create(params);
    run(att, bundled());
    return att;
}

} // namespace data
