#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

class QIODevice;

namespace burnet {

struct MemoryImage;

// An enciphered image file: the image bytes padded to whole 8-byte blocks, enciphered with
// Blowfish in ECB mode under a fixed key, then one plain byte with the padding count.
// At most this many bytes of a file are read:
inline constexpr qint64 kEncipheredFileLimit = 0x20000;
// so the largest image that fits is
inline constexpr qsizetype kMaxEncipheredImageBytes = 0x1FFF8;

enum class EncipheredError {
    None,
    Empty,            // no file content, or no image bytes in it
    TooLarge,         // longer than the read limit
    NotWholeBlocks,   // the enciphered part is not a multiple of 8 bytes
    PaddingTooLarge,  // the padding count exceeds the enciphered part
};

// Whether a path names an enciphered image: it contains ".ebn" anywhere (case-sensitive).
bool IsEncipheredImageName(const QString& path);

// Deciphers the file into the start of the image (the rest of the image is left as it is)
// and sets the highest address to the last image byte. Such an image carries no checksum.
EncipheredError LoadEnciphered(QIODevice& file, MemoryImage& image);

// The file content for an image of 1 to kMaxEncipheredImageBytes bytes (padding bytes 0xFF).
QByteArray EncipherImage(const QByteArray& image);

// The fixed key images are enciphered under.
std::array<std::uint8_t, 32> EncipheredImageKey();

}  // namespace burnet
