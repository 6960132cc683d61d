#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>

// Local date and time as eight 16-bit fields.
struct SystemTime
{
    uint16_t year = 0;
    uint16_t month = 0;
    uint16_t dayOfWeek = 0;
    uint16_t day = 0;
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t milliseconds = 0;

    static SystemTime FromDateTime(const QDateTime& local);

    bool operator==(const SystemTime&) const = default;
};

// The per-picture information kept in the Info folder beside the pictures:
// 568 bytes, little-endian, no padding.
struct PictureInfoRecord
{
    static constexpr int ByteSize = 568;
    static constexpr int TextSize = 260;

    std::array<char, TextSize> pathText{};
    std::array<char, TextSize> remark{};
    SystemTime captureTime;
    double pictureMagnification = 0.0;
    double adjustedMagnification = 0.0;
    uint32_t captureResolutionCode = 0;
    uint32_t scaleResolutionCode = 0;
    uint32_t cameraCode = 0;
    uint32_t reserved = 0;

    // The texts are 8-bit text in the system code page (UTF-8 here); a field
    // without a terminating zero ends at the field's end.
    QString PathText() const;
    QString Remark() const;
    // Cut to 259 bytes without splitting a character.
    void SetPathText(const QString& text);
    void SetRemark(const QString& text);

    QByteArray ToBytes() const;
    // Reads up to 568 bytes; a shorter input leaves the rest zero.
    static PictureInfoRecord FromBytes(const QByteArray& bytes);

    bool operator==(const PictureInfoRecord&) const = default;
};

// Width in the high 16 bits, height in the low 16 bits.
constexpr uint32_t ResolutionCode(int width, int height)
{
    return uint32_t(width) << 16 | (uint32_t(height) & 0xFFFF);
}

// "1280X1024" for the twelve capture sizes of the camera, else empty.
QString ResolutionText(uint32_t code);

// Copies text into a fixed 8-bit field as UTF-8, cut so that it fits with its
// terminating zero and no multi-byte character is split.
void StoreFieldText(char* field, int fieldSize, const QString& text);
QString FieldText(const char* field, int fieldSize);
