#pragma once

#include <functional>

#include <QString>
#include <QVariant>

#include "fb/Statement.h"

namespace data {

class DataSet;

// One column of a dataset: its properties for grids, edits and messages, and the text rules that
// turn typed text into a value.
class Field
{
public:
    enum class Kind {
        Data,       // read from the select and written by the insert and modify statements
        Calculated, // computed on the client by the dataset's calculate handler
        Computed,   // computed by the server: takes no typed text and is never written; code may show a
                    // value in it while the row is edited (a name beside its code) until the re-read
        Lookup,     // shown through another dataset by a key of this one
    };

    using SetTextHandler = std::function<void(Field &, const QString &text)>;
    using GetTextHandler = std::function<QString(const Field &, bool forDisplay)>;
    // Throws (FieldError or data::Abort) to refuse the value; the field keeps its old value.
    using ValidateHandler = std::function<void(Field &, const QVariant &newValue)>;
    using ChangeHandler = std::function<void(Field &)>;

    Field(DataSet &dataSet, int index, const QString &name, fb::FieldKind type, Kind kind = Kind::Data);

    DataSet &dataSet() const { return *m_dataSet; }
    int index() const { return m_index; }
    const QString &fieldName() const { return m_name; }
    Kind kind() const { return m_kind; }
    fb::FieldKind dataType() const { return m_type; }
    void setDataType(fb::FieldKind t) { m_type = t; }

    // Properties the windows and rules use.
    QString displayLabel() const { return m_label.isEmpty() ? m_name : m_label; }
    void setDisplayLabel(const QString &label) { m_label = label; }
    int displayWidth() const { return m_width; }
    void setDisplayWidth(int chars) { m_width = chars; }
    bool isVisible() const { return m_visible; }
    void setVisible(bool v) { m_visible = v; }
    bool isRequired() const { return m_required; }
    void setRequired(bool r) { m_required = r; }
    // No value can be set (look-up fields, or marked so). See takesTypedText() for what users may type.
    bool isReadOnly() const { return m_readOnly || m_kind == Kind::Lookup; }
    // Whether typed text (a grid cell, an edit) may change the field: not for read-only fields, nor
    // for server-computed ones unless a set-text rule turns the text into other fields' values.
    bool takesTypedText() const { return !isReadOnly() && (m_kind != Kind::Computed || onSetText); }
    void setReadOnly(bool r) { m_readOnly = r; }
    const QVariant &defaultValue() const { return m_default; }
    void setDefaultValue(const QVariant &v) { m_default = v; }
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    int size() const { return m_size; }        // characters of a text column
    void setSize(int size) { m_size = size; }
    int scale() const { return m_scale; }      // decimals of a NUMERIC column
    void setScale(int scale) { m_scale = scale; }
    // How a number is shown when it is not being typed into ("######0.00 '%'", "### ### ###"): see
    // FieldText::formatNumber. Empty: as typed.
    const QString &displayFormat() const { return m_displayFormat; }
    void setDisplayFormat(const QString &format) { m_displayFormat = format; }
    const QString &origin() const { return m_origin; } // TABLE.COLUMN when the field is a table column
    void setOrigin(const QString &o) { m_origin = o; }

    // Look-up fields: this dataset's key fields matched against the look-up dataset's key fields.
    void setLookup(DataSet *lookupDataSet, const QString &keyFields, const QString &lookupKeyFields,
                   const QString &resultField);
    DataSet *lookupDataSet() const { return m_lookupDataSet; }
    const QString &keyFields() const { return m_keyFields; }
    const QString &lookupKeyFields() const { return m_lookupKeyFields; }
    const QString &lookupResultField() const { return m_lookupResult; }

    SetTextHandler onSetText;
    GetTextHandler onGetText;
    ValidateHandler onValidate;
    ChangeHandler onChange;

    // The value of the current row (the edit buffer while editing or inserting).
    QVariant value() const;
    bool isNull() const;
    // The value as last read from the database (the OLD_ parameters of modify and delete).
    QVariant oldValue() const;
    // Sets the value: validation runs first, then change handlers. Needs the edit or insert state.
    void setValue(const QVariant &value);
    void clear() { setValue(QVariant()); }

    QString asString() const;
    qint64 asInt() const;
    double asDouble() const;
    QDate asDate() const;

    // Typed text: through the set-text handler when there is one, otherwise converted to the type.
    void setText(const QString &text);
    // Converts typed text to this field's type (empty text gives null); throws FieldError.
    QVariant convertText(const QString &text) const;
    // The text shown in grids (forDisplay) or in edits.
    QString text(bool forDisplay = true) const;

private:
    friend class DataSet;
    DataSet *m_dataSet;
    int m_index;
    QString m_name;
    fb::FieldKind m_type;
    Kind m_kind;
    QString m_label;
    int m_width = 0;
    bool m_visible = true;
    bool m_required = false;
    bool m_readOnly = false;
    QVariant m_default;
    int m_tag = 0;
    int m_size = 0;
    int m_scale = 0;
    QString m_displayFormat;
    QString m_origin;
    DataSet *m_lookupDataSet = nullptr;
    QString m_keyFields;
    QString m_lookupKeyFields;
    QString m_lookupResult;
};

} // namespace data
