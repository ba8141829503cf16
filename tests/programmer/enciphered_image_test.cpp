#include "programmer/app/blowfish.h"
#include "programmer/app/enciphered_image.h"
#include "programmer/app/hex_file.h"
#include "programmer/app/hex_writer.h"
#include "programmer/app/memory_image.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace burnet;

namespace {

QByteArray pattern(qsizetype n) {
    QByteArray a(n, '\0');
    for (qsizetype i = 0; i < n; ++i) a[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
    return a;
}

EncipheredError loadInto(const QByteArray& fileContent, MemoryImage& image) {
    QBuffer file;
    file.setData(fileContent);
    file.open(QIODevice::ReadOnly);
    return LoadEnciphered(file, image);
}

QByteArray prefix(const MemoryImage& image, std::size_t n) {
    return QByteArray(reinterpret_cast<const char*>(image.bytes.data()), static_cast<qsizetype>(n));
}

}  // namespace

TEST(EncipheredImage, ImagesOfEveryPaddingLoadBackIdentically) {
    for (qsizetype n : {1, 7, 8, 9, 15, 16, 1000, 8191}) {
        SCOPED_TRACE(n);
        const QByteArray plain = pattern(n);
        const QByteArray file = EncipherImage(plain);
        const qsizetype padding = (8 - n % 8) % 8;
        ASSERT_EQ(file.size(), n + padding + 1);
        EXPECT_EQ(static_cast<qsizetype>(file.back()), padding);

        MemoryImage image;
        image.allocate(8192);
        ASSERT_EQ(loadInto(file, image), EncipheredError::None);
        EXPECT_EQ(prefix(image, static_cast<std::size_t>(n)), plain);
        EXPECT_EQ(image.highestAddress, static_cast<std::uint32_t>(n - 1));
    }
}

TEST(EncipheredImage, TheLargestImageFitsTheReadLimit) {
    const QByteArray plain = pattern(kMaxEncipheredImageBytes);
    const QByteArray file = EncipherImage(plain);
    EXPECT_LE(file.size(), kEncipheredFileLimit);
    MemoryImage image;
    image.allocate(128 * 1024);
    ASSERT_EQ(loadInto(file, image), EncipheredError::None);
    EXPECT_EQ(prefix(image, plain.size()), plain);
}

// Blocks are enciphered under the fixed key with their halves most significant byte first,
// so an image made elsewhere with the standard cipher loads too.
TEST(EncipheredImage, BlocksAreStandardBlowfishUnderTheFixedKey) {
    const auto key = EncipheredImageKey();
    const Blowfish cipher(key);
    const QByteArray plain = QByteArray::fromHex("0123456789ABCDEF");
    std::uint32_t left = 0x01234567, right = 0x89ABCDEF;
    cipher.encrypt(left, right);
    QByteArray expected;
    for (std::uint32_t half : {left, right})
        for (int shift = 24; shift >= 0; shift -= 8) expected.append(static_cast<char>(half >> shift));
    EXPECT_EQ(EncipherImage(plain), expected + QByteArray(1, '\0'));
}

TEST(EncipheredImage, OnlyWhatFitsIsCopiedAndTheRestOfTheImageStays) {
    MemoryImage image;
    image.allocate(16);
    std::fill(image.bytes.begin(), image.bytes.end(), 0x11);
    ASSERT_EQ(loadInto(EncipherImage(pattern(4)), image), EncipheredError::None);
    EXPECT_EQ(prefix(image, 4), pattern(4));
    EXPECT_EQ(image.bytes[4], 0x11);
    EXPECT_EQ(image.highestAddress, 3u);

    ASSERT_EQ(loadInto(EncipherImage(pattern(40)), image), EncipheredError::None);
    EXPECT_EQ(prefix(image, 16), pattern(16));
    EXPECT_EQ(image.highestAddress, 39u);
}

TEST(EncipheredImage, MalformedFilesAreRefusedWithoutTouchingTheImage) {
    struct Case {
        const char* name;
        QByteArray file;
        EncipheredError error;
    };
    const QByteArray block(8, '\x5A');
    const Case cases[] = {
        {"empty file", QByteArray(), EncipheredError::Empty},
        {"padding byte only", QByteArray(1, '\0'), EncipheredError::Empty},
        {"all padding", block + QByteArray(1, '\x08'), EncipheredError::Empty},
        {"padding larger than the file", block + QByteArray(1, '\x09'), EncipheredError::PaddingTooLarge},
        {"padding 255", block + QByteArray(1, '\xFF'), EncipheredError::PaddingTooLarge},
        {"partial block", block + QByteArray(3, '\0'), EncipheredError::NotWholeBlocks},
        {"exactly the read limit", QByteArray(kEncipheredFileLimit, '\0'), EncipheredError::NotWholeBlocks},
        {"beyond the read limit", QByteArray(kEncipheredFileLimit + 1, '\0'), EncipheredError::TooLarge},
    };
    for (const Case& c : cases) {
        MemoryImage image;
        image.allocate(64);
        EXPECT_EQ(loadInto(c.file, image), c.error) << c.name;
        EXPECT_EQ(prefix(image, 64), QByteArray(64, '\xFF')) << c.name;
        EXPECT_EQ(image.highestAddress, 0u) << c.name;
    }
}

TEST(EncipheredImage, NameRuleIsACaseSensitiveSubstring) {
    struct Case {
        const char* path;
        bool enciphered;
    };
    for (const Case c : {Case{"C:\\fw\\unit.ebn", true}, Case{"C:\\fw\\unit.ebn.bak", true},
                         Case{"/home/op/fw.ebn/unit.hex", true}, Case{"C:\\fw\\UNIT.EBN", false},
                         Case{"C:\\fw\\unit.Ebn", false}, Case{"C:\\fw\\unit.hex", false}, Case{"ebn", false}})
        EXPECT_EQ(IsEncipheredImageName(QString::fromLatin1(c.path)), c.enciphered) << c.path;
}

class EncipherTool : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    void write(const char* name, const QByteArray& content) const {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    int run(const char* input, const char* output) {
        QProcess tool;
        tool.start(QStringLiteral(ENCIPHER_TOOL), {path(input), path(output)});
        EXPECT_TRUE(tool.waitForFinished(30000));
        errors = tool.readAllStandardError();
        return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    }
    MemoryImage loadEnciphered(const char* name, std::size_t imageSize) const {
        MemoryImage image;
        image.allocate(imageSize);
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(LoadEnciphered(f, image), EncipheredError::None);
        return image;
    }

    QTemporaryDir dir;
    QByteArray errors;
};

TEST_F(EncipherTool, AHexImageLoadsBackAsTheSameImage) {
    QByteArray hex = HexSegmentRecord(0);
    std::array<std::uint8_t, 16> line{};
    for (std::uint16_t address : {0x0000, 0x0010, 0x0100, 0x1FF0}) {
        for (std::size_t i = 0; i < line.size(); ++i) line[i] = static_cast<std::uint8_t>(address + i * 3);
        hex += HexDataRecord(address, line);
    }
    hex += HexEndRecord();
    write("firmware.hex", hex);

    ASSERT_EQ(run("firmware.hex", "firmware.ebn"), 0) << errors.constData();

    MemoryImage fromHex;
    fromHex.allocate(16384);
    QBuffer hexFile(&hex);
    hexFile.open(QIODevice::ReadOnly);
    ASSERT_TRUE(LoadHex(hexFile, fromHex).valid);

    const MemoryImage fromEbn = loadEnciphered("firmware.ebn", 16384);
    EXPECT_EQ(fromEbn.highestAddress, 0x1FFFu);
    EXPECT_EQ(fromEbn.highestAddress, fromHex.highestAddress);
    EXPECT_EQ(prefix(fromEbn, 0x2000), prefix(fromHex, 0x2000));
}

TEST_F(EncipherTool, ABinaryImageIsTakenAsItIs) {
    write("firmware.bin", pattern(1234));
    ASSERT_EQ(run("firmware.bin", "firmware.ebn"), 0) << errors.constData();
    const MemoryImage image = loadEnciphered("firmware.ebn", 2048);
    EXPECT_EQ(image.highestAddress, 1233u);
    EXPECT_EQ(prefix(image, 1234), pattern(1234));
}

TEST_F(EncipherTool, RefusesBadInputAndWritesNothing) {
    write("bad.hex", ":0100000055AB\n");
    write("empty.hex", ":00000001FF\n");
    write("huge.bin", QByteArray(kMaxEncipheredImageBytes + 1, '\0'));
    for (const char* input : {"bad.hex", "empty.hex", "huge.bin", "missing.hex"}) {
        EXPECT_EQ(run(input, "out.ebn"), 1) << input;
        EXPECT_FALSE(errors.isEmpty()) << input;
        EXPECT_FALSE(QFile::exists(path("out.ebn"))) << input;
    }
}
