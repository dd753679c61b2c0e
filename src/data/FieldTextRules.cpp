#include "FieldTextRules.h"

#include "DataError.h"
#include "DataSet.h"
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

QString PikkKommentVeergGetText(const Field &field, bool forDisplay)
{
    if (field.isNull())
        return QString();
    // A grid cell shows the short form; an edit works on the whole memo.
    return forDisplay ? PikkKommentText(field.asString()) : field.asString();
}

void AttachTextRulesByType(DataSet &dataSet)
{
    // Column types are known once the select has run: attach on every open, to fields that have
    // no rule of their own yet.
    dataSet.afterOpen.push_back([](DataSet &d) {
        for (int i = 0; i < d.fieldCount(); ++i) {
            Field &f = d.fieldAt(i);
            if (f.kind() != Field::Kind::Data || f.onSetText)
                continue;
            switch (f.dataType()) {
            case fb::FieldKind::Date:
                f.onSetText = OnMyKuupSetText;
                break;
            case fb::FieldKind::Time:
                f.onSetText = OnMyKellaaegSetText;
                if (!f.onGetText)
                    f.onGetText = OnMyKellaAegGetText;
                break;
            case fb::FieldKind::TextBlob:
                f.onSetText = MemoVeergSetText;
                if (!f.onGetText)
                    f.onGetText = PikkKommentVeergGetText;
                break;
            case fb::FieldKind::Text:
                // Every one-character column of the schema is a yes/no flag.
                if (f.size() == 1)
                    f.onSetText = MyBoolFieldSetText;
                break;
            default:
                break;
            }
        }
    });
}

void AttachTextRule(DataSet &dataSet, const QStringList &fieldNames, const Field::SetTextHandler &rule)
{
    for (const QString &name : fieldNames)
        dataSet.defineField(name).onSetText = rule;
}

} // namespace data
