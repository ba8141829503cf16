// burnet-encipher INPUT OUTPUT
// Enciphers a firmware image so that Burnet can program it from an ".ebn" file. INPUT is an
// Intel HEX file (the bytes from address 0 to the highest address it fills, gaps as 0xFF)
// or, when it is not one, a binary image taken as it is.
#include "platform/fs/files.h"
#include "programmer/app/enciphered_image.h"
#include "programmer/app/hex_file.h"
#include "programmer/app/memory_image.h"

#include <QFile>
#include <QString>

#include <cstdio>

namespace {

int fail(const QString& text) {
    std::fprintf(stderr, "burnet-encipher: %s\n", qPrintable(text));
    return 1;
}

const char* reason(burnet::HexRecordError e) {
    switch (e) {
        case burnet::HexRecordError::Syntax: return "not a record";
        case burnet::HexRecordError::Checksum: return "wrong checksum";
        case burnet::HexRecordError::SegmentAddress: return "segment record with an address";
        case burnet::HexRecordError::None: break;
    }
    return "bad record";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: burnet-encipher INPUT OUTPUT\n");
        return 2;
    }
    const QString input = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);

    QFile file(input);
    if (!file.open(QIODevice::ReadOnly)) return fail(QStringLiteral("cannot read %1: %2").arg(input, file.errorString()));

    QByteArray image;
    if (burnet::IsHexFile(file)) {
        burnet::MemoryImage memory;
        memory.allocate(burnet::kMaxEncipheredImageBytes);
        const burnet::HexLoadResult loaded = burnet::LoadHex(file, memory);
        if (!loaded.valid)
            return fail(QStringLiteral("%1, line %2: %3").arg(input).arg(loaded.firstBadLine).arg(reason(loaded.firstError)));
        if (loaded.dataBytes == 0) return fail(QStringLiteral("%1 holds no data").arg(input));
        if (memory.highestAddress >= memory.bytes.size())
            return fail(QStringLiteral("%1 reaches 0x%2; an enciphered image holds at most %3 bytes")
                            .arg(input)
                            .arg(memory.highestAddress, 0, 16)
                            .arg(burnet::kMaxEncipheredImageBytes));
        image = QByteArray(reinterpret_cast<const char*>(memory.bytes.data()),
                           static_cast<qsizetype>(memory.highestAddress) + 1);
    } else {
        file.seek(0);
        image = file.read(burnet::kMaxEncipheredImageBytes + 1);
        if (image.isEmpty()) return fail(QStringLiteral("%1 is empty").arg(input));
        if (image.size() > burnet::kMaxEncipheredImageBytes)
            return fail(QStringLiteral("%1 is larger than %2 bytes").arg(input).arg(burnet::kMaxEncipheredImageBytes));
    }

    QString error;
    if (!platform::fs::replaceFile(output, burnet::EncipherImage(image), &error))
        return fail(QStringLiteral("cannot write %1: %2").arg(output, error));
    if (!burnet::IsEncipheredImageName(output))
        std::fprintf(stderr, "burnet-encipher: note: Burnet reads a file as enciphered only when its name contains \".ebn\"\n");
    return 0;
}
