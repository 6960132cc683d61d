#include "platform/LogFont.h"

#include "platform/ByteCodec.h"

#include <QFontMetrics>

#include <algorithm>
#include <cstring>

namespace {

using ByteCodec::GetI32;
using ByteCodec::PutI32;

enum : uint8_t {
    FamilyRoman = 0x10,
    FamilySwiss = 0x20,
    FamilyModern = 0x30,
    FamilyScript = 0x40,
    FamilyDecorative = 0x50,
    FixedPitch = 0x01,
    VariablePitch = 0x02,
};

} // namespace

QString LogFont::FaceName() const
{
    int n = 0;
    while (n < FaceSize && faceName[size_t(n)] != 0)
        ++n;
    return QString::fromUtf16(faceName.data(), n);
}

void LogFont::SetFaceName(const QString& name)
{
    faceName.fill(0);
    const int n = std::min<int>(int(name.size()), FaceSize - 1);
    for (int i = 0; i < n; ++i)
        faceName[size_t(i)] = name.at(i).unicode();
}

void LogFont::WriteTo(uint8_t* p) const
{
    PutI32(p + 0, height);
    PutI32(p + 4, width);
    PutI32(p + 8, escapement);
    PutI32(p + 12, orientation);
    PutI32(p + 16, weight);
    p[20] = italic;
    p[21] = underline;
    p[22] = strikeOut;
    p[23] = charSet;
    p[24] = outPrecision;
    p[25] = clipPrecision;
    p[26] = quality;
    p[27] = pitchAndFamily;
    for (int i = 0; i < FaceSize; ++i) {
        p[28 + 2 * i] = uint8_t(faceName[size_t(i)]);
        p[29 + 2 * i] = uint8_t(faceName[size_t(i)] >> 8);
    }
}

QByteArray LogFont::ToBytes() const
{
    QByteArray bytes(ByteSize, '\0');
    WriteTo(reinterpret_cast<uint8_t*>(bytes.data()));
    return bytes;
}

LogFont LogFont::FromBytes(const uint8_t* p)
{
    LogFont f;
    f.height = GetI32(p + 0);
    f.width = GetI32(p + 4);
    f.escapement = GetI32(p + 8);
    f.orientation = GetI32(p + 12);
    f.weight = GetI32(p + 16);
    f.italic = p[20];
    f.underline = p[21];
    f.strikeOut = p[22];
    f.charSet = p[23];
    f.outPrecision = p[24];
    f.clipPrecision = p[25];
    f.quality = p[26];
    f.pitchAndFamily = p[27];
    for (int i = 0; i < FaceSize; ++i)
        f.faceName[size_t(i)] = char16_t(p[28 + 2 * i] | p[29 + 2 * i] << 8);
    return f;
}

QFont LogFont::ToQFont() const
{
    QFont font(FaceName());
    switch (pitchAndFamily & 0xF0) {
    case FamilyRoman:
        font.setStyleHint(QFont::Serif);
        break;
    case FamilySwiss:
        font.setStyleHint(QFont::SansSerif);
        break;
    case FamilyModern:
        font.setStyleHint(QFont::TypeWriter);
        break;
    case FamilyScript:
        font.setStyleHint(QFont::Cursive);
        break;
    case FamilyDecorative:
        font.setStyleHint(QFont::Decorative);
        break;
    default:
        break;
    }
    if ((pitchAndFamily & 0x03) == FixedPitch)
        font.setFixedPitch(true);
    font.setWeight(weight <= 0 ? QFont::Normal : QFont::Weight(std::clamp(weight, 1, 1000)));
    font.setItalic(italic != 0);
    font.setUnderline(underline != 0);
    font.setStrikeOut(strikeOut != 0);
    if (quality == 3 /* NONANTIALIASED_QUALITY */)
        font.setStyleStrategy(QFont::NoAntialias);

    // Heights come from the shared settings and may be anything; beyond the
    // largest pixel size no text could be drawn anyway.
    if (height < 0) {
        font.setPixelSize(int(std::min<int64_t>(-int64_t(height), MaxPixelSize)));
    } else if (height > 0) {
        // A positive height asks for the cell (ascent + descent); scale the
        // character size so the cell comes out at that height.
        const int cellHeight = std::min(height, MaxPixelSize);
        font.setPixelSize(cellHeight);
        const int cell = QFontMetrics(font).height();
        if (cell > 0 && cell != cellHeight) {
            const double scaled = double(cellHeight) * cellHeight / cell + 0.5;
            font.setPixelSize(int(std::clamp(scaled, 1.0, double(MaxPixelSize))));
        }
    } else {
        font.setPixelSize(16);
    }
    return font;
}

LogFont LogFont::FromQFont(const QFont& font, const LogFont& base)
{
    LogFont f = base;
    if (font.pixelSize() > 0)
        f.height = -font.pixelSize();
    else
        f.height =
            -int(std::clamp(font.pointSizeF() * 96.0 / 72.0 + 0.5, 0.0, double(MaxPixelSize)));
    f.weight = int32_t(font.weight());
    f.italic = font.italic() ? 1 : 0;
    f.underline = font.underline() ? 1 : 0;
    f.strikeOut = font.strikeOut() ? 1 : 0;
    f.SetFaceName(font.family());
    uint8_t family = base.pitchAndFamily & 0xF0;
    switch (font.styleHint()) {
    case QFont::Serif:
        family = FamilyRoman;
        break;
    case QFont::SansSerif:
        family = FamilySwiss;
        break;
    case QFont::TypeWriter:
        family = FamilyModern;
        break;
    case QFont::Cursive:
        family = FamilyScript;
        break;
    case QFont::Decorative:
        family = FamilyDecorative;
        break;
    default:
        break;
    }
    f.pitchAndFamily = uint8_t(family | (base.pitchAndFamily & 0x0F));
    return f;
}

LogFont LogFont::FromQFont(const QFont& font)
{
    return FromQFont(font, LogFont());
}

LogFont LogFont::DefaultTextFont()
{
    LogFont f;
    f.height = -18;
    f.weight = 20;
    f.pitchAndFamily = FamilySwiss;
    f.SetFaceName(QStringLiteral("Arial"));
    return f;
}

LogFont LogFont::DefaultStampFont()
{
    LogFont f;
    f.height = -21;
    f.weight = 700;
    f.outPrecision = 3;
    f.clipPrecision = 2;
    f.quality = 1;
    f.pitchAndFamily = FamilyRoman | VariablePitch;
    f.SetFaceName(QStringLiteral("Times New Roman"));
    return f;
}
