#include "Field.h"

#include "DataError.h"
#include "DataSet.h"
#include "FieldText.h"
#include "Translate.h"

namespace data {

Field::Field(DataSet &dataSet, int index, const QString &name, fb::FieldKind type, Kind kind)
    : m_dataSet(&dataSet), m_index(index), m_name(name), m_type(type), m_kind(kind)
{
}

void Field::setLookup(DataSet *lookupDataSet, const QString &keyFields, const QString &lookupKeyFields,
                      const QString &resultField)
{
    m_lookupDataSet = lookupDataSet;
    m_keyFields = keyFields;
    m_lookupKeyFields = lookupKeyFields;
    m_lookupResult = resultField;
}

QVariant Field::value() const
{
    if (m_dataSet->isEditing() && m_kind != Kind::Lookup)
        return m_dataSet->m_editBuffer[m_index];
    return m_dataSet->valueAt(m_dataSet->currentRow(), m_index);
}

bool Field::isNull() const
{
    const QVariant v = value();
    return !v.isValid() || v.isNull();
}

QVariant Field::oldValue() const
{
    const int row = m_dataSet->currentRow();
    if (row < 0 || row >= m_dataSet->fetchedCount())
        return QVariant();
    return m_dataSet->stored(m_dataSet->m_rows[row], m_index);
}

void Field::setValue(const QVariant &value)
{
    if (isReadOnly() && m_kind != Kind::Calculated)
        throw DataError(Translate(QStringLiteral("Field '%1' cannot be modified")).arg(displayLabel()));
    m_dataSet->setFieldValue(*this, value);
}

QString Field::asString() const
{
    const QVariant v = value();
    if (v.userType() == qMetaTypeId<fb::Numeric>())
        return v.value<fb::Numeric>().toString();
    return v.toString();
}

qint64 Field::asInt() const
{
    const QVariant v = value();
    if (v.userType() == qMetaTypeId<fb::Numeric>())
        return v.value<fb::Numeric>().rescaled(0).scaled;
    return v.toLongLong();
}

double Field::asDouble() const
{
    const QVariant v = value();
    if (v.userType() == qMetaTypeId<fb::Numeric>())
        return v.value<fb::Numeric>().toDouble();
    return v.toDouble();
}

QDate Field::asDate() const
{
    return value().toDate();
}

void Field::setText(const QString &text)
{
    if (onSetText) {
        onSetText(*this, text);
        return;
    }
    if (!takesTypedText())
        throw DataError(Translate(QStringLiteral("Field '%1' cannot be modified")).arg(displayLabel()));
    setValue(convertText(text));
}

QVariant Field::convertText(const QString &text) const
{
    return FieldText::toValue(m_type, text, m_scale, displayLabel());
}

QString Field::text(bool forDisplay) const
{
    if (onGetText)
        return onGetText(*this, forDisplay);
    if (forDisplay && !m_displayFormat.isEmpty())
        return FieldText::formatNumber(m_type, value(), m_scale, m_displayFormat);
    return FieldText::toText(m_type, value(), m_scale);
}

} // namespace data
