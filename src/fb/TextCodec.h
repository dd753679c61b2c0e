#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

namespace fb {

// Converts between QString and the bytes of a connection character set.
// ISO8859_1 and NONE connections travel as Windows-1252, so that the Estonian š ž Š Ž survive
// (byte-compatible with what Windows workstations stored). Text the character set cannot hold is
// refused with an error instead of being replaced.
class TextCodec
{
public:
    explicit TextCodec(const QString &firebirdCharset = QStringLiteral("ISO8859_1"));

    const QString &charset() const noexcept { return m_charset; }
    bool isUtf8() const noexcept { return m_utf8; }
    // Maximum bytes one character takes in this character set.
    int maxBytesPerChar() const noexcept { return m_utf8 ? 4 : 1; }

    QByteArray encode(QStringView text) const;
    QString decode(const char *data, qsizetype size) const;
    QString decode(const QByteArray &data) const { return decode(data.constData(), data.size()); }

    // The Qt codec name for a Firebird character set name ("WIN1257" -> "windows-1257").
    static QString qtCodecName(const QString &firebirdCharset);

private:
    QString m_charset;
    QString m_codecName;
    bool m_utf8 = false;
    bool m_1252 = false;
};

} // namespace fb
