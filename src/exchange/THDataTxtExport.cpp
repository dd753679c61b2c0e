#include "THDataTxtExport.h"

#include <algorithm>
#include <vector>

#include <QFile>
#include <QLocale>
#include <QSaveFile>
#include <QStringEncoder>

#include "data/DataError.h"
#include "data/DataSet.h"
#include "data/DataSource.h"
#include "data/FieldText.h"
#include "data/Translate.h"
#include "data/UserInterface.h"
#include "fb/Numeric.h"
#include "fb/Windows1252.h"

namespace {

bool isNumber(fb::FieldKind t)
{
    switch (t) {
    case fb::FieldKind::SmallInt:
    case fb::FieldKind::Integer:
    case fb::FieldKind::BigInt:
    case fb::FieldKind::Numeric:
    case fb::FieldKind::Float:
    case fb::FieldKind::Double:
        return true;
    default:
        return false;
    }
}

QVariant negated(fb::FieldKind t, const QVariant &v)
{
    if (v.isNull() || !v.isValid())
        return v;
    switch (t) {
    case fb::FieldKind::Numeric:
        if (v.userType() == qMetaTypeId<fb::Numeric>()) {
            fb::Numeric n = v.value<fb::Numeric>();
            n.scaled = -n.scaled;
            return QVariant::fromValue(n);
        }
        return -v.toDouble();
    case fb::FieldKind::Float:
    case fb::FieldKind::Double:
        return -v.toDouble();
    default:
        return -v.toLongLong();
    }
}

// The first separator character of a locale format ("dd.MM.yyyy" -> '.').
QChar separatorOf(const QString &format, QChar fallback)
{
    for (QChar c : format)
        if (!c.isLetter())
            return c;
    return fallback;
}

// A line of the table must stay on one line of the file.
QString oneLine(const QString &text)
{
    // Most values hold none of these: they pass untouched, without a copy.
    const auto special = [](QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('\t'); };
    if (std::none_of(text.cbegin(), text.cend(), special))
        return text;
    QString s = text;
    s.remove(QLatin1Char('\r'));
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    s.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return s;
}

} // namespace

struct THDataTxtExport::Column
{
    QString header;
    data::DataSet *dataSet = nullptr; // the source, or its master for a caption found there
    int field = -1;                   // -1: a constant or a caption found nowhere
    bool negate = false;
    QString constant;
};

THDataTxtExport::THDataTxtExport(QObject *parent)
    : QObject(parent)
{
    const QLocale locale;
    m_decimalSepar = locale.decimalPoint().isEmpty() ? QLatin1Char('.') : locale.decimalPoint().at(0);
    m_dateSepar = separatorOf(locale.dateFormat(QLocale::ShortFormat), QLatin1Char('.'));
    m_timeSepar = separatorOf(locale.timeFormat(QLocale::ShortFormat), QLatin1Char(':'));
}

THDataTxtExport::~THDataTxtExport() = default;

void THDataTxtExport::useProgramSettings()
{
    m_decimalSepar = QLatin1Char(',');
    m_dateSepar = QLatin1Char('.');
    m_timeSepar = QLatin1Char(':');
    m_colNames = true;
    m_fieldSepar = QLatin1Char('\t');
}

std::vector<THDataTxtExport::Column> THDataTxtExport::columns() const
{
    data::DataSet &src = *m_source;
    std::vector<Column> cols;
    if (!m_fieldColumns.isEmpty()) {
        for (const QString &name : m_fieldColumns) {
            Column c;
            c.dataSet = &src;
            if (const data::Field *f = src.findField(name)) {
                c.field = f->index();
                c.header = f->displayLabel();
            } else {
                c.header = name;
            }
            cols.push_back(c);
        }
        return cols;
    }
    if (m_mappings.isEmpty()) {
        for (int i = 0; i < src.fieldCount(); ++i) {
            if (!src.fieldAt(i).isVisible())
                continue;
            Column c;
            c.dataSet = &src;
            c.field = i;
            c.header = src.fieldAt(i).displayLabel();
            cols.push_back(c);
        }
        return cols;
    }
    data::DataSet *master = src.masterSource() ? src.masterSource()->dataSet() : nullptr;
    auto find = [&](const QString &caption, Column &c) {
        for (data::DataSet *ds : {&src, master}) {
            if (!ds)
                continue;
            for (int i = 0; i < ds->fieldCount(); ++i) {
                if (ds->fieldAt(i).displayLabel() == caption) {
                    c.dataSet = ds;
                    c.field = i;
                    return;
                }
            }
        }
    };
    for (const QString &entry : m_mappings) {
        const QString m = entry.trimmed();
        if (m.isEmpty() || m == QLatin1String("-"))
            continue;
        Column c;
        const qsizetype eq = m.indexOf(QLatin1Char('='));
        QString caption;
        if (eq < 0) {
            c.negate = m.startsWith(QLatin1Char('-'));
            caption = c.negate ? m.mid(1) : m;
            c.header = caption;
        } else {
            c.header = m.left(eq);
            caption = m.mid(eq + 1);
            if (caption.size() >= 2 && caption.startsWith(QLatin1Char('"')) && caption.endsWith(QLatin1Char('"'))) {
                c.constant = caption.mid(1, caption.size() - 2);
                cols.push_back(c);
                continue;
            }
            c.negate = caption.startsWith(QLatin1Char('-'));
            if (c.negate)
                caption = caption.mid(1);
        }
        find(caption, c);
        if (c.field < 0)
            c.constant = QStringLiteral("(field not found)");
        cols.push_back(c);
    }
    return cols;
}

QString THDataTxtExport::flattened(const QString &text) const
{
    return m_memosToOneLineText ? oneLine(text) : text;
}

QString THDataTxtExport::plainText(const data::Field &field, const QVariant &value) const
{
    if (value.isNull() || !value.isValid())
        return QString();
    auto withDecimal = [this](QString s) {
        if (!m_decimalSepar.isNull())
            s.replace(QLatin1Char('.'), m_decimalSepar);
        return s;
    };
    const auto date = [this] {
        return m_dateFormatStr.isEmpty()
                   ? QStringLiteral("dd") + m_dateSepar + QStringLiteral("MM") + m_dateSepar + QStringLiteral("yyyy")
                   : m_dateFormatStr;
    };
    const auto time = [this] {
        return QStringLiteral("HH") + m_timeSepar + QStringLiteral("mm") + m_timeSepar + QStringLiteral("ss");
    };
    switch (field.dataType()) {
    case fb::FieldKind::Numeric:
        if (value.userType() == qMetaTypeId<fb::Numeric>())
            return withDecimal(value.value<fb::Numeric>().toString());
        return withDecimal(QString::number(value.toDouble(), 'f', field.scale()));
    case fb::FieldKind::Float:
    case fb::FieldKind::Double: {
        // A format such as "0.00" gives the number of decimals; without one, the shortest exact text.
        const qsizetype point = m_floatFormatStr.indexOf(QLatin1Char('.'));
        if (point >= 0)
            return withDecimal(
                QString::number(value.toDouble(), 'f', static_cast<int>(m_floatFormatStr.size() - point - 1)));
        if (!m_floatFormatStr.isEmpty())
            return QString::number(value.toDouble(), 'f', 0);
        return withDecimal(QString::number(value.toDouble(), 'g', 15));
    }
    case fb::FieldKind::Date:
        return value.toDate().toString(date());
    case fb::FieldKind::Time:
        return value.toTime().toString(time());
    case fb::FieldKind::Timestamp:
        return value.toDateTime().toString(date() + QLatin1Char(' ') + time());
    default:
        return value.toString();
    }
}

QString THDataTxtExport::valueText(const Column &col, int row) const
{
    if (col.field < 0)
        return col.constant;
    data::DataSet &ds = *col.dataSet;
    // A caption of the master takes the master's current row on every line.
    const int r = &ds == m_source.data() ? row : ds.currentRow();
    const data::Field &f = ds.fieldAt(col.field);
    const auto quoted = [this](const QString &s) {
        return m_stringSepar.isNull() ? s : m_stringSepar + s + m_stringSepar;
    };
    switch (f.dataType()) {
    case fb::FieldKind::TextBlob:
        return quoted(flattened(ds.valueAt(r, col.field).toString()));
    case fb::FieldKind::Text:
    case fb::FieldKind::Unknown: {
        const QString s = m_useStringDisplayText || m_useAllDisplayText ? ds.textAt(r, col.field, true)
                                                                        : ds.valueAt(r, col.field).toString();
        return quoted(flattened(s));
    }
    default:
        break;
    }
    if (col.negate && isNumber(f.dataType())) {
        const QVariant v = negated(f.dataType(), ds.valueAt(r, col.field));
        return m_useAllDisplayText ? data::FieldText::toText(f.dataType(), v, f.scale()) : plainText(f, v);
    }
    if (m_useAllDisplayText)
        return flattened(ds.textAt(r, col.field, true));
    return plainText(f, ds.valueAt(r, col.field));
}

QString THDataTxtExport::header(const std::vector<Column> &cols) const
{
    QString s;
    for (const Column &c : cols)
        s += flattened(c.header) + m_fieldSepar;
    if (s.endsWith(m_fieldSepar))
        s.chop(1);
    return s + QStringLiteral("\r\n");
}

void THDataTxtExport::appendLine(QString &out, const std::vector<Column> &cols, int row) const
{
    for (const Column &c : cols) {
        out += valueText(c, row);
        out += m_fieldSepar;
    }
    // Only the one separator after the last column goes: an empty last column keeps its place.
    if (!cols.empty())
        out.chop(1);
    out += QStringLiteral("\r\n");
}

// Lines are appended to `out`; `flush` is called after each and may take what has gathered.
template <typename Flush>
void THDataTxtExport::produce(bool allRecords, bool withHeader, QString &out, Flush &&flush)
{
    data::DataSet &src = *m_source;
    const std::vector<Column> cols = columns();
    if (withHeader)
        out += header(cols);
    if (!allRecords) {
        if (src.currentRow() >= 0)
            appendLine(out, cols, src.currentRow());
        flush(out);
        return;
    }
    for (int row = 0;; ++row) {
        if (row >= src.fetchedCount() && (src.isFullyFetched() || src.fetchMore(1000) == 0))
            break;
        appendLine(out, cols, row);
        flush(out);
    }
    flush(out);
}

QString THDataTxtExport::tableText(bool allRecords)
{
    if (!m_source)
        throw data::DataError(Translate(QStringLiteral("Parameter 'Source' must have value !")));
    if (!m_source->isActive())
        m_source->open();
    QString text;
    produce(allRecords, m_colNames, text, [](QString &) {});
    return text;
}

void THDataTxtExport::Execute(bool allRecords)
{
    if (!m_source)
        throw data::DataError(Translate(QStringLiteral("Parameter 'Source' must have value !")));
    if (!m_source->isActive())
        m_source->open();

    if (m_toClipBoard) {
        if (!m_ui)
            throw data::DataError(Translate(QStringLiteral("The clipboard cannot be reached")));
        QString text;
        try {
            produce(allRecords, m_colNames, text, [](QString &) {});
        } catch (...) {
            if (!text.isEmpty())
                m_ui->setClipboardText(text);
            throw;
        }
        if (!text.isEmpty())
            m_ui->setClipboardText(text);
        return;
    }

    if (m_destFileName.isEmpty())
        throw data::DataError(Translate(QStringLiteral("Parameter 'DestFileName' must have value !")));
    // Appending writes the old content and the new rows to a new file that replaces the old one only
    // when complete.
    QByteArray previous;
    if (m_exportMethod == hteAppend && QFile::exists(m_destFileName)) {
        QFile old(m_destFileName);
        if (!old.open(QIODevice::ReadOnly))
            throw data::DataError(
                Translate(QStringLiteral("Cannot open file %1: %2")).arg(m_destFileName, old.errorString()));
        previous = old.readAll();
    }
    QSaveFile out(m_destFileName);
    if (!out.open(QIODevice::WriteOnly))
        throw data::DataError(
            Translate(QStringLiteral("Cannot create file %1: %2")).arg(m_destFileName, out.errorString()));
    auto write = [&](const QByteArray &bytes) {
        if (out.write(bytes) != bytes.size())
            throw data::DataError(
                Translate(QStringLiteral("Cannot write file %1: %2")).arg(m_destFileName, out.errorString()));
    };
    write(previous);
    QStringEncoder oem(oemCodec().toLatin1().constData());
    // What the file's character set cannot hold is written as "?".
    const auto encode = [&](const QString &text) -> QByteArray {
        if (m_ansiToOem)
            return oem.encode(text);
        QByteArray bytes;
        fb::Windows1252::encode(text, bytes, '?');
        return bytes;
    };
    // Lines are gathered and encoded a block at a time: one conversion and one write per block.
    constexpr qsizetype block = 1 << 16;
    QString pending;
    pending.reserve(block + 1024);
    produce(allRecords, m_colNames && previous.isEmpty(), pending, [&](QString &text) {
        if (text.size() >= block) {
            write(encode(text));
            text.resize(0); // keeps the buffer
        }
    });
    write(encode(pending));
    if (!out.commit())
        throw data::DataError(
            Translate(QStringLiteral("Cannot write file %1: %2")).arg(m_destFileName, out.errorString()));
}
