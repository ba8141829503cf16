#include "enciphered_image.h"

#include "blowfish.h"
#include "memory_image.h"

#include <QIODevice>
#include <QtGlobal>

#include <algorithm>
#include <cstring>

namespace burnet {

namespace {

constexpr qsizetype kBlock = 8;

std::uint8_t* bytesOf(QByteArray& data) { return reinterpret_cast<std::uint8_t*>(data.data()); }

}  // namespace

std::array<std::uint8_t, 32> EncipheredImageKey() {
    static const char kText[] = "VELDAR Burnet firmware image key";
    static_assert(sizeof kText - 1 == 32);
    std::array<std::uint8_t, 32> key{};
    std::memcpy(key.data(), kText, key.size());
    return key;
}

bool IsEncipheredImageName(const QString& path) { return path.contains(QLatin1String(".ebn"), Qt::CaseSensitive); }

EncipheredError LoadEnciphered(QIODevice& file, MemoryImage& image) {
    file.seek(0);
    QByteArray data = file.read(kEncipheredFileLimit + 1);
    if (data.size() > kEncipheredFileLimit) return EncipheredError::TooLarge;
    if (data.isEmpty()) return EncipheredError::Empty;
    const qsizetype cipherLength = data.size() - 1;
    if (cipherLength % kBlock != 0) return EncipheredError::NotWholeBlocks;
    const auto padding = static_cast<std::uint8_t>(data.back());
    if (padding > cipherLength) return EncipheredError::PaddingTooLarge;
    const qsizetype plainLength = cipherLength - padding;
    if (plainLength == 0) return EncipheredError::Empty;

    const auto key = EncipheredImageKey();
    const Blowfish cipher(key);
    for (qsizetype at = 0; at < cipherLength; at += kBlock) cipher.decryptBlock(bytesOf(data) + at);

    const auto fits = static_cast<std::size_t>(std::min<qsizetype>(plainLength, static_cast<qsizetype>(image.bytes.size())));
    std::copy_n(data.constData(), fits, reinterpret_cast<char*>(image.bytes.data()));
    image.highestAddress = static_cast<std::uint32_t>(plainLength - 1);
    return EncipheredError::None;
}

QByteArray EncipherImage(const QByteArray& image) {
    Q_ASSERT(!image.isEmpty() && image.size() <= kMaxEncipheredImageBytes);
    const auto padding = static_cast<char>((kBlock - image.size() % kBlock) % kBlock);
    QByteArray data = image;
    data.append(QByteArray(padding, '\xFF'));
    const auto key = EncipheredImageKey();
    const Blowfish cipher(key);
    for (qsizetype at = 0; at < data.size(); at += kBlock) cipher.encryptBlock(bytesOf(data) + at);
    return data.append(padding);
}

}  // namespace burnet
