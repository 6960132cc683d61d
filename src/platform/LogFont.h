#pragma once

#include <QByteArray>
#include <QFont>
#include <QString>

#include <array>
#include <cstdint>

// A font description with the 92-byte binary layout used in the settings:
// five 32-bit integers, eight bytes, then a 32-unit UTF-16 face name.
struct LogFont
{
    static constexpr int ByteSize = 92;
    static constexpr int FaceSize = 32;
    // The largest character height a font is made with, in pixels.
    static constexpr int MaxPixelSize = 32767;

    int32_t height = 0;
    int32_t width = 0;
    int32_t escapement = 0;
    int32_t orientation = 0;
    int32_t weight = 0;
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t strikeOut = 0;
    uint8_t charSet = 0;
    uint8_t outPrecision = 0;
    uint8_t clipPrecision = 0;
    uint8_t quality = 0;
    uint8_t pitchAndFamily = 0;
    std::array<char16_t, FaceSize> faceName{};

    QString FaceName() const;
    // Cut to 31 units so the name stays terminated.
    void SetFaceName(const QString& name);

    // Little-endian bytes of the layout.
    QByteArray ToBytes() const;
    void WriteTo(uint8_t* bytes) const;
    static LogFont FromBytes(const uint8_t* bytes);

    // A negative height is the character height in pixels, a positive one the
    // cell height; 0 takes a default size.
    QFont ToQFont() const;
    // Fields a QFont does not describe (precisions, quality, width) come from base.
    static LogFont FromQFont(const QFont& font, const LogFont& base);
    static LogFont FromQFont(const QFont& font);

    // The editor's default text and label font: Arial, -18, weight 20, FF_SWISS.
    static LogFont DefaultTextFont();
    // The default stamp font of saved pictures: Times New Roman, -21, bold.
    static LogFont DefaultStampFont();

    bool operator==(const LogFont&) const = default;
};
