#include "TextCodec.h"

#include "FbError.h"
#include "Windows1252.h"

namespace fb {

namespace {

bool isAscii(QStringView text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

bool isAscii(const char *data, qsizetype size)
{
    for (qsizetype i = 0; i < size; ++i)
        if (static_cast<unsigned char>(data[i]) >= 0x80)
            return false;
    return true;
}

} // namespace

TextCodec::TextCodec(const QString &firebirdCharset)
    : m_charset(firebirdCharset.trimmed().toUpper())
{
    if (m_charset.isEmpty())
        m_charset = QStringLiteral("NONE");
    m_codecName = qtCodecName(m_charset);
    m_utf8 = m_codecName == QLatin1String("UTF-8");
    m_1252 = m_codecName == QLatin1String("windows-1252");
    if (!m_utf8 && !QStringEncoder(m_codecName.toLatin1().constData()).isValid())
        throw FbError::client(QStringLiteral("Character set %1 is not supported by this program").arg(m_charset));
}

QString TextCodec::qtCodecName(const QString &firebirdCharset)
{
    const QString cs = firebirdCharset.trimmed().toUpper();
    if (cs == QLatin1String("UTF8") || cs == QLatin1String("UNICODE_FSS"))
        return QStringLiteral("UTF-8");
    if (cs.isEmpty() || cs == QLatin1String("NONE") || cs == QLatin1String("ISO8859_1") || cs == QLatin1String("WIN1252")
        || cs == QLatin1String("ASCII"))
        return QStringLiteral("windows-1252");
    if (cs.startsWith(QLatin1String("WIN")))
        return QStringLiteral("windows-") + cs.mid(3);
    if (cs.startsWith(QLatin1String("ISO8859_")))
        return QStringLiteral("ISO-8859-") + cs.mid(8);
    if (cs.startsWith(QLatin1String("DOS")))
        return QStringLiteral("IBM") + cs.mid(3);
    if (cs == QLatin1String("KOI8R"))
        return QStringLiteral("KOI8-R");
    return cs;
}

QByteArray TextCodec::encode(QStringView text) const
{
    if (isAscii(text))
        return text.toLatin1();
    if (m_utf8)
        return text.toUtf8();
    if (m_1252) {
        QByteArray out;
        const qsizetype bad = Windows1252::encode(text, out);
        if (bad >= 0)
            throw FbError::client(QStringLiteral("The character '%1' (U+%2) cannot be stored in character set %3")
                                      .arg(text.mid(bad, 1).toString())
                                      .arg(text[bad].unicode(), 4, 16, QLatin1Char('0'))
                                      .arg(m_charset));
        return out;
    }
    QStringEncoder enc(m_codecName.toLatin1().constData());
    QByteArray out = enc.encode(text);
    // The encoders replace what they cannot map; decoding back tells whether anything was lost.
    QStringDecoder dec(m_codecName.toLatin1().constData());
    const QString back = dec.decode(out);
    if (enc.hasError() || back != text) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (i >= back.size() || back[i] != text[i])
                throw FbError::client(QStringLiteral("The character '%1' (U+%2) cannot be stored in character set %3")
                                          .arg(text.mid(i, 1).toString())
                                          .arg(text[i].unicode(), 4, 16, QLatin1Char('0'))
                                          .arg(m_charset));
        }
        throw FbError::client(QStringLiteral("The text cannot be stored in character set %1").arg(m_charset));
    }
    return out;
}

QString TextCodec::decode(const char *data, qsizetype size) const
{
    if (isAscii(data, size))
        return QString::fromLatin1(data, size);
    if (m_utf8)
        return QString::fromUtf8(data, size);
    if (m_1252)
        return Windows1252::decode(data, size);
    QStringDecoder dec(m_codecName.toLatin1().constData());
    return dec.decode(QByteArrayView(data, size));
}

} // namespace fb
