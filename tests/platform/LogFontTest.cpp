#include "platform/LogFont.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

namespace {

TEST(LogFontTest, BytesFollowTheLayoutAndKeepTheFaceName)
{
    const LogFont font = LogFont::DefaultStampFont();
    const QByteArray bytes = font.ToBytes();
    ASSERT_EQ(bytes.size(), 92);
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.constData());
    EXPECT_EQ(int32_t(p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24), -21);
    EXPECT_EQ(p[16] | p[17] << 8, 700);
    // Out and clip precision, quality, pitch and family, then the name's "T" in UTF-16.
    EXPECT_EQ(bytes.mid(24, 6).toHex(), "030201125400");
    EXPECT_EQ(p[28 + 2 * 15], 0) << "name ends after 15 characters";
    EXPECT_EQ(LogFont::FromBytes(p), font);

    // The face name keeps UTF-16 and its terminator.
    LogFont named;
    named.SetFaceName(QStringLiteral("文泉驿微米黑"));
    const QByteArray namedBytes = named.ToBytes();
    EXPECT_EQ(
        LogFont::FromBytes(reinterpret_cast<const uint8_t*>(namedBytes.constData())).FaceName(),
        QStringLiteral("文泉驿微米黑"));
    named.SetFaceName(QString(40, u'x'));
    EXPECT_EQ(named.FaceName().size(), 31);
}

// A negative height is the character height in pixels, a positive one the
// cell height; weights map onto the same scale both ways.
TEST(LogFontTest, ConvertsToAndFromQtFonts)
{
    LogFont font = LogFont::DefaultTextFont();
    font.height = -35;
    const QFont q = font.ToQFont();
    EXPECT_EQ(q.pixelSize(), 35);
    EXPECT_EQ(q.styleHint(), QFont::SansSerif);
    EXPECT_EQ(LogFont::FromQFont(q, font), font) << "a round trip changes nothing";
    font.height = 40;
    EXPECT_NEAR(QFontMetrics(font.ToQFont()).height(), 40, 2);

    EXPECT_EQ(LogFont::DefaultStampFont().ToQFont().weight(), QFont::Bold);
    font.weight = 0;
    EXPECT_EQ(font.ToQFont().weight(), QFont::Normal);
    QFont light(QStringLiteral("Liberation Sans"));
    light.setPixelSize(12);
    light.setWeight(QFont::Light);
    light.setItalic(true);
    const LogFont back = LogFont::FromQFont(light, LogFont::DefaultTextFont());
    EXPECT_EQ(back.weight, 300);
    EXPECT_EQ(back.italic, 1);
    EXPECT_EQ(back.height, -12);
    EXPECT_EQ(back.FaceName(), QStringLiteral("Liberation Sans"));
    // A font given in points, however large, comes back within the largest
    // size. (Any height a stored record may hold is the font fuzz corpus's.)
    light.setPointSizeF(1e12);
    EXPECT_EQ(LogFont::FromQFont(light, font).height, -LogFont::MaxPixelSize);
}

} // namespace
