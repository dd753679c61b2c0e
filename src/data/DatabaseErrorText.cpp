#include "DatabaseErrorText.h"

#include <map>

#include <QRegularExpression>

#include "Translate.h"
#include "fb/FbError.h"

namespace data {

namespace {

// The registers as their windows are called, by the table that refers to the row.
QString registerOf(const QString &table)
{
    static const std::map<QString, const char *> names = {
        {"AGENTK", "Agendid"},
        {"AGMYKAIV", "Müügikäive"},
        {"AGPPALK", "Põhipalk"},
        {"KL1KLI", "Kliendi klassifikaatorid"},
        {"KLASSIF1", "Klassifikaatorid"},
        {"KLIAGENT", "Kliendi agendid"},
        {"KLIENTK", "Kliendid"},
        {"KLIJKONT", "Planeeritud kontaktid"},
        {"KLIKISIK", "Kontaktisikud"},
        {"KLITOODE", "Tooted klientidel"},
        {"KONTAKT", "Toimunud kontaktid"},
        {"KVASTUS", "Vastused"},
        {"KYSITLKL", "Küsitluse kliendid"},
        {"LINNVALD", "Linnad-vallad"},
        {"PERMYYK", "Müük"},
        {"TOOTED", "Tooted"},
        {"USERSK", "Kasutajad"},
    };
    const auto it = names.find(table);
    return it == names.end() ? table : Translate(QString::fromUtf8(it->second));
}

} // namespace

QString DatabaseErrorText(const fb::FbError &error)
{
    if (!error.hasCode(fb::FbError::ForeignKeyReferencesPresent))
        return error.message();
    // The server names the constraint's own table: the one whose rows refer to this row.
    static const QRegularExpression table(QStringLiteral("on table \"([^\"]+)\""));
    const QRegularExpressionMatch m = table.match(error.message());
    const QString user = m.hasMatch() ? registerOf(m.captured(1)) : QString();
    return user.isEmpty() ? Translate(QStringLiteral("Kirjet ei saa kustutada: see on kasutusel."))
                          : Translate(QStringLiteral("Kirjet ei saa kustutada: see on kasutusel (%1).")).arg(user);
}

} // namespace data
