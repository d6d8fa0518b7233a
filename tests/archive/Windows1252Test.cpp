#include "archive/Windows1252.h"

#include <gtest/gtest.h>

namespace {

TEST(Windows1252, EveryByteSurvivesARoundTrip)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = Windows1252::decode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(Windows1252::encode(text), all);
}

TEST(Windows1252, DecodesTheCodePagesOwnCharacters)
{
    EXPECT_EQ(Windows1252::decode("\x80\x8A\x9F\xE0\xE8\xF9"), QStringLiteral("€ŠŸàèù"));
    EXPECT_EQ(Windows1252::decode("Casa"), QStringLiteral("Casa"));
}

struct EncodeCase
{
    const char* name;
    QString text;
    QByteArray bytes;
};

class Windows1252Encode : public ::testing::TestWithParam<EncodeCase>
{
};

TEST_P(Windows1252Encode, OneByteForEachCharacter)
{
    EXPECT_EQ(Windows1252::encode(GetParam().text), GetParam().bytes) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Windows1252Encode,
    ::testing::Values(EncodeCase{"ascii", QStringLiteral("Casa 1"), QByteArray("Casa 1")},
                      EncodeCase{"latin", QStringLiteral("Città €"), QByteArray("Citt\xE0 \x80")},
                      EncodeCase{"outside", QStringLiteral("日本"), QByteArray("??")},
                      EncodeCase{"C1 control taken by a letter", QString(QChar(0x80)), QByteArray("?")},
                      EncodeCase{"supplementary plane", QStringLiteral("a\U0001F600b"), QByteArray("a?b")},
                      EncodeCase{"lone surrogate", QString(QChar(0xD800)), QByteArray("?")}));

} // namespace
