#include <gtest/gtest.h>

#include <QStringDecoder>
#include <QStringEncoder>

#include "fb/FbError.h"
#include "fb/TextCodec.h"
#include "fb/Windows1252.h"

// The table stands in for the general converter on the hot path: it must agree with it on every
// byte and every character the set holds, and refuse the rest.
TEST(Windows1252Test, AgreesWithTheGeneralConverterOnEveryByteAndCharacter)
{
    QStringDecoder reference("windows-1252");
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        const QString ours = fb::Windows1252::decode(&byte, 1);
        ASSERT_EQ(ours.size(), 1);
        const QString theirs = reference.decode(QByteArrayView(&byte, 1));
        // The converter has no character for the five undefined bytes; we keep them as controls.
        if (theirs != QString(QChar(0xFFFD)) && !theirs.isEmpty()) {
            EXPECT_EQ(ours, theirs) << "byte " << b;
        }
        QByteArray back;
        EXPECT_EQ(fb::Windows1252::encode(ours, back), -1) << "byte " << b;
        EXPECT_EQ(back, QByteArray(1, byte)) << "byte " << b;
    }

    QStringEncoder encoder("windows-1252", QStringEncoder::Flag::Stateless);
    int held = 0;
    for (char32_t c = 0x100; c < 0xD800; ++c) {
        const QString text(QChar(static_cast<char16_t>(c)));
        QByteArray ours;
        const bool fits = fb::Windows1252::encode(text, ours) == -1;
        if (fits) {
            ++held;
            EXPECT_EQ(fb::Windows1252::decode(ours.constData(), ours.size()), text) << "U+" << std::hex << static_cast<unsigned>(c);
        } else {
            EXPECT_TRUE(ours.isEmpty());
        }
    }
    // The 27 characters above Latin-1 that the set places in 0x80..0x9F.
    EXPECT_EQ(held, 27);
}

TEST(Windows1252Test, TextOfConnectionsKeepsEstonianLettersAndRefusesWhatCannotBeStored)
{
    const fb::TextCodec codec(QStringLiteral("ISO8859_1"));
    const QString estonian = QStringLiteral("Šõõžäöü šŽ – €");
    const QByteArray bytes = codec.encode(estonian);
    EXPECT_EQ(bytes, QByteArray("\x8a\xf5\xf5\x9e\xe4\xf6\xfc \x9a\x8e \x96 \x80"));
    EXPECT_EQ(codec.decode(bytes), estonian);
    try {
        codec.encode(QStringLiteral("Łódź"));
        FAIL() << "a character outside the set was stored";
    } catch (const fb::FbError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("U+0141"))) << e.message().toStdString();
    }

    // Where a file may take a stand-in, each character outside the set is one "?", a pair too.
    QByteArray file;
    EXPECT_EQ(fb::Windows1252::encode(QStringLiteral("aŁb😀c"), file, '?'), -1);
    EXPECT_EQ(file, QByteArray("a?b?c"));
}
