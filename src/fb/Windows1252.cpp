#include "Windows1252.h"

namespace fb::Windows1252 {

namespace {

// 0x80..0x9F. The five bytes Windows leaves undefined stand for the control characters of the same
// number, so that any byte read comes back unchanged when written.
constexpr char16_t High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

int byteOf(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (High[i] == c)
            return 0x80 + i;
    return -1;
}

} // namespace

QString decode(const char *data, qsizetype size)
{
    QString s(size, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(s.data());
    for (qsizetype i = 0; i < size; ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        out[i] = (b >= 0x80 && b < 0xA0) ? High[b - 0x80] : char16_t(b);
    }
    return s;
}

qsizetype encode(QStringView text, QByteArray &out, char replacement)
{
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char *p = out.data() + start;
    qsizetype written = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = byteOf(text[i].unicode());
        if (b >= 0) {
            p[written++] = static_cast<char>(b);
        } else if (replacement) {
            // A character outside the basic plane is one character: one replacement for its pair.
            if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                ++i;
            p[written++] = replacement;
        } else {
            out.resize(start + written);
            return i;
        }
    }
    out.resize(start + written);
    return -1;
}

} // namespace fb::Windows1252
