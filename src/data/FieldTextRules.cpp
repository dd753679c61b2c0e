#include "FieldTextRules.h"

#include "DataError.h"
#include "Field.h"
#include "FieldText.h"

namespace data {

void VeergSetEmptyText(Field &field, const QString &text)
{
    field.setValue(text.isEmpty() ? QVariant() : QVariant(text));
}

void OnKoodSetText(Field &field, const QString &text)
{
    VeergSetEmptyText(field, text);
}

void MyBoolFieldSetText(Field &field, const QString &text)
{
    if (text.isEmpty()) {
        field.setValue(QStringLiteral("N"));
        return;
    }
    const QChar c = text.at(0).toUpper();
    const bool yes = c == QLatin1Char('Y') || c == QLatin1Char('T') || c == QLatin1Char('J') || c == QLatin1Char('1')
                     || c == QLatin1Char('+');
    field.setValue(yes ? QStringLiteral("Y") : QStringLiteral("N"));
}

void OnMyKuupSetText(Field &field, const QString &text)
{
    if (text.trimmed().isEmpty()) {
        field.setValue(QVariant());
        return;
    }
    const QDate d = FieldText::parseDate(text);
    if (!d.isValid())
        throw DataError(QStringLiteral("'%1' is not a valid date").arg(text));
    field.setValue(d);
}

void OnMyKellaaegSetText(Field &field, const QString &text)
{
    if (text.trimmed().isEmpty()) {
        field.setValue(QVariant());
        return;
    }
    const QTime t = FieldText::parseTime(text);
    if (!t.isValid())
        throw DataError(QStringLiteral("'%1' is not a valid time").arg(text));
    field.setValue(t);
}

QString OnMyKellaAegGetText(const Field &field, bool)
{
    if (field.isNull())
        return QString();
    return field.value().toTime().toString(FieldText::timeFormat());
}

void MemoVeergSetText(Field &field, const QString &text)
{
    field.setValue(text);
}

QString PikkKommentText(const QString &memo)
{
    // Bytes are counted as stored: one per character in the database's 8-bit character set.
    QString shown = memo.size() <= 100 ? memo : memo.left(97) + QStringLiteral("...");
    shown.replace(QLatin1Char('\r'), QLatin1Char(' '));
    shown.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return shown;
}

QString PikkKommentVeergGetText(const Field &field, bool)
{
    if (field.isNull())
        return QString();
    return PikkKommentText(field.asString());
}

} // namespace data
