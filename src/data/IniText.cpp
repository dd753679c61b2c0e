#include "IniText.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace data {

IniText IniText::parse(const QString &text)
{
    IniText ini;
    Section *current = nullptr;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')))
            continue;
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'))) {
            const QString name = trimmed.mid(1, trimmed.size() - 2).trimmed();
            current = ini.find(name);
            if (!current) {
                ini.m_sections.append(Section{name, {}});
                current = &ini.m_sections.last();
            }
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0 || !current)
            continue; // neither a section nor a key of one: ignored
        const QString key = line.left(eq).trimmed();
        if (key.isEmpty())
            continue;
        ini.setValue(current->name, key, line.mid(eq + 1));
    }
    return ini;
}

IniText IniText::fromBytes(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        QStringDecoder cp1252("windows-1252");
        text = cp1252.isValid() ? cp1252.decode(bytes) : QString::fromLatin1(bytes);
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return parse(text);
}

IniText IniText::load(const QString &fileName, bool *exists)
{
    QFile f(fileName);
    const bool ok = f.open(QIODevice::ReadOnly);
    if (exists)
        *exists = ok;
    return ok ? fromBytes(f.readAll()) : IniText();
}

QString IniText::toString() const
{
    QString out;
    for (const Section &s : m_sections) {
        if (!out.isEmpty())
            out += QStringLiteral("\r\n");
        out += QLatin1Char('[') + s.name + QStringLiteral("]\r\n");
        for (const auto &[key, value] : s.entries)
            out += key + QLatin1Char('=') + value + QStringLiteral("\r\n");
    }
    return out;
}

QByteArray IniText::toBytes() const
{
    return toString().toUtf8();
}

bool IniText::save(const QString &fileName) const
{
    QSaveFile f(fileName);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(toBytes());
    return f.commit();
}

IniText::Section *IniText::find(const QString &section)
{
    for (Section &s : m_sections)
        if (s.name.compare(section, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

const IniText::Section *IniText::find(const QString &section) const
{
    for (const Section &s : m_sections)
        if (s.name.compare(section, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

bool IniText::hasSection(const QString &section) const
{
    return find(section) != nullptr;
}

bool IniText::hasKey(const QString &section, const QString &key) const
{
    if (const Section *s = find(section))
        for (const auto &e : s->entries)
            if (e.first.compare(key, Qt::CaseInsensitive) == 0)
                return true;
    return false;
}

QString IniText::value(const QString &section, const QString &key, const QString &defaultValue) const
{
    if (const Section *s = find(section))
        for (const auto &e : s->entries)
            if (e.first.compare(key, Qt::CaseInsensitive) == 0)
                return e.second;
    return defaultValue;
}

void IniText::setValue(const QString &section, const QString &key, const QString &value)
{
    Section *s = find(section);
    if (!s) {
        m_sections.append(Section{section, {}});
        s = &m_sections.last();
    }
    // Values are one line each: a line break inside would start a new key when read back.
    QString v = value;
    v.replace(QLatin1Char('\r'), QLatin1Char(' '));
    v.replace(QLatin1Char('\n'), QLatin1Char(' '));
    for (auto &e : s->entries) {
        if (e.first.compare(key, Qt::CaseInsensitive) == 0) {
            e.second = v;
            return;
        }
    }
    s->entries.append({key, v});
}

void IniText::removeKey(const QString &section, const QString &key)
{
    if (Section *s = find(section))
        s->entries.removeIf([&](const QPair<QString, QString> &e) { return e.first.compare(key, Qt::CaseInsensitive) == 0; });
}

void IniText::removeSection(const QString &section)
{
    m_sections.removeIf([&](const Section &s) { return s.name.compare(section, Qt::CaseInsensitive) == 0; });
}

QStringList IniText::sections() const
{
    QStringList out;
    for (const Section &s : m_sections)
        out << s.name;
    return out;
}

QStringList IniText::keys(const QString &section) const
{
    QStringList out;
    if (const Section *s = find(section))
        for (const auto &e : s->entries)
            out << e.first;
    return out;
}

} // namespace data
