#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace data {

// A text in the sections-and-keys format ("[Section]" lines and "Key=Value" lines), as the program's
// configuration file, language files and the users' settings rows use it. Section and key names
// compare without regard to letter case; the order of sections and keys is kept; values may hold
// backslashes and any character. Lines that are neither are kept only as comments are: not at all.
class IniText
{
public:
    IniText() = default;

    static IniText parse(const QString &text);
    // Bytes of a file: UTF-8 when they are valid UTF-8, otherwise Windows-1252 (8-bit files written
    // on Windows workstations).
    static IniText fromBytes(const QByteArray &bytes);
    static IniText load(const QString &fileName, bool *exists = nullptr);

    QString toString() const; // lines end with "\r\n"
    QByteArray toBytes() const; // UTF-8
    bool save(const QString &fileName) const;

    bool hasSection(const QString &section) const;
    bool hasKey(const QString &section, const QString &key) const;
    QString value(const QString &section, const QString &key, const QString &defaultValue = QString()) const;
    void setValue(const QString &section, const QString &key, const QString &value);
    void removeKey(const QString &section, const QString &key);
    void removeSection(const QString &section);
    QStringList sections() const;
    QStringList keys(const QString &section) const;
    bool isEmpty() const { return m_sections.isEmpty(); }

private:
    struct Section
    {
        QString name;
        QList<QPair<QString, QString>> entries;
    };
    Section *find(const QString &section);
    const Section *find(const QString &section) const;

    QList<Section> m_sections;
};

} // namespace data
