// The six operations of Burnet's window against isp-sim: prompts, status line, lamps,
// messages, and what ends up in the chip and in the files.
#include "support/burnet_under_test.h"
#include "support/isp_bench.h"

#include "programmer/app/enciphered_image.h"
#include "programmer/app/programmerdlg.h"

#include <QProgressBar>

#include <gtest/gtest.h>

using namespace burnet;
using namespace burnettest;
using platform::Answer;

namespace {

const QString kDevice = QStringLiteral("Device");
const QString kName = QStringLiteral("名称");
const QString kFlashTooBigToWrite = QStringLiteral("文件中数据的大小不适合写入该 Flash.  \n是否写入所适合的那部分数据?            ");
const QString kFlashTooBigToVerify = QStringLiteral("文件中数据的大小不适合写入该 Flash.  \n是否校验所适合的那部分数据?           ");
const QString kEntersBoot = QStringLiteral("Code enters BOOT area. Proceed??");
const QString kTruncate = QStringLiteral("Truncate at BOOT limit ??");
const QString kProgrammedAndVerified = QStringLiteral("擦除芯片...      编程...       检验...     OK");

// Burnet on an ATmega16 behind an in-system programmer, started, the log cleared.
struct Mega16 : BurnetUnderTest {
    explicit Mega16(ispsim::ProgrammerConfig config = ispsim::ProgrammerConfig::inSystemProgrammer(),
                    const char* device = "ATmega16", const char* partId = "m16")
        : BurnetUnderTest(partId, std::move(config)) {
        saveValue(kDevice, kName, QString::fromLatin1(device));
    }
    bool started() {
        const bool ok = start();
        sent();
        return ok;
    }
};

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values) b.append(static_cast<char>(v));
    return b;
}

}  // namespace

TEST(Operations, CancellingTheBrowseDialogDoesNothing) {
    for (int button : {1001, 1002, 1021, 1020, 1022, 1019}) {
        SCOPED_TRACE(button);
        Mega16 b;
        ASSERT_TRUE(b.started());
        b.chooseFile(std::nullopt);
        b.click(button);
        EXPECT_TRUE(b.sent().isEmpty());
        EXPECT_TRUE(b.dialogs().shown().empty());
        EXPECT_EQ(b.dialogs().fileRequests().size(), 1u);
        EXPECT_EQ(b.text(1016), QString());
        EXPECT_EQ(b.text(1018), QString());
        EXPECT_EQ(b.savedValue(QStringLiteral("文件"), kName), QStringLiteral("<missing>"));
        EXPECT_TRUE(b.enabled(button));
    }
}

TEST(Operations, ProgramVerifyAndReadFlashAndEepromGiveBackTheFilesThatWentIn) {
    Mega16 b;
    ASSERT_TRUE(b.started());
    const QByteArray flash = pattern(16384, 1);
    const QByteArray eeprom = pattern(512, 2);
    b.writeFile(QStringLiteral("flash.hex"), hexOfMemory(flash));
    b.writeFile(QStringLiteral("eeprom.eep"), hexOfMemory(eeprom));

    b.browseTo(QStringLiteral("flash.hex"));
    b.click(1001);
    EXPECT_EQ(b.text(1016), kProgrammedAndVerified);
    EXPECT_EQ(b.isp().chip().flash(), flash);
    EXPECT_TRUE(b.isp().lampOn(1));
    EXPECT_FALSE(b.isp().lampOn(2));
    const QStringList programmed = b.sent();
    EXPECT_EQ(programmed.mid(0, 4), (QStringList{"y 01", "y 02", "y 00", "x 02"}));
    EXPECT_EQ(programmed.mid(4, 3), (QStringList{"T 74", "P", "e"}));

    b.click(1002);
    EXPECT_EQ(b.text(1016), QStringLiteral("校验 Flash...     OK"));
    b.browseTo(QStringLiteral("flash-back.hex"));
    b.click(1021);
    EXPECT_EQ(b.text(1016), QStringLiteral("读取 Flash...   OK"));
    EXPECT_EQ(b.readFile(QStringLiteral("flash-back.hex")), b.readFile(QStringLiteral("flash.hex")));
    // Read flash selects the device twice.
    EXPECT_EQ(b.sent().filter(QStringLiteral("T 74")).size(), 3);

    b.browseTo(QStringLiteral("eeprom.eep"));
    b.click(1020);
    EXPECT_EQ(b.text(1016), QStringLiteral("写入 EEPROM...       检验...     OK"));
    EXPECT_EQ(b.isp().chip().eeprom(), eeprom);
    b.click(1022);
    EXPECT_EQ(b.text(1016), QStringLiteral("校验 EEPROM...     OK"));
    b.browseTo(QStringLiteral("eeprom-back.eep"));
    b.click(1019);
    EXPECT_EQ(b.text(1016), QStringLiteral("读取 EEPROM   ...OK"));
    EXPECT_EQ(b.readFile(QStringLiteral("eeprom-back.eep")), b.readFile(QStringLiteral("eeprom.eep")));
    EXPECT_TRUE(b.dialogs().shown().empty());

    // The status line clears itself after the help time-out.
    b.advance(2999);
    EXPECT_EQ(b.text(1016), QStringLiteral("读取 EEPROM   ...OK"));
    b.advance(1);
    EXPECT_EQ(b.text(1016), QString());
    EXPECT_EQ(b.window().findChild<QProgressBar*>(QStringLiteral("1014"))->value(), 0);
}

TEST(Operations, TheSettingsChooseVerifyingAndHowLongTheStatusStays) {
    Mega16 b;
    b.setSetting(QStringLiteral("校验 Flash  "), 0);
    b.setSetting(QStringLiteral("HelpTimeOut"), 500);
    ASSERT_TRUE(b.started());
    b.writeFile(QStringLiteral("code.hex"), hexFile({{0, pattern(300, 4)}}));
    b.browseTo(QStringLiteral("code.hex"));
    b.click(1001);
    EXPECT_EQ(b.text(1016), QStringLiteral("擦除芯片...      编程...       OK"));
    EXPECT_TRUE(b.sent().filter(QStringLiteral("g ")).isEmpty());
    b.advance(499);
    EXPECT_FALSE(b.text(1016).isEmpty());
    b.advance(1);
    EXPECT_TRUE(b.text(1016).isEmpty());
}

TEST(Operations, AFileReachingTheFlashSizeAsksAndWritesWhatFits) {
    Mega16 b;
    ASSERT_TRUE(b.started());
    b.writeFile(QStringLiteral("big.hex"), hexFile({{0x3FFE, bytes({0xAA, 0xBB, 0xCC})}}));
    b.browseTo(QStringLiteral("big.hex"));

    b.answer(kFlashTooBigToWrite, Answer::No);
    b.click(1001);
    EXPECT_TRUE(b.sent().isEmpty());
    EXPECT_EQ(b.dialogs().shown().back().icon, platform::Icon::Question);

    b.answer(kFlashTooBigToWrite, Answer::Yes);
    b.click(1001);
    EXPECT_EQ(b.text(1016), kProgrammedAndVerified);
    EXPECT_EQ(b.isp().chip().flash().right(2), bytes({0xAA, 0xBB}));
    EXPECT_TRUE(b.sent().contains(QStringLiteral("B 00 02 46 AA BB")));

    b.answer(kFlashTooBigToVerify, Answer::Yes);
    b.click(1002);
    EXPECT_EQ(b.text(1016), QStringLiteral("校验 Flash...     OK"));
}

TEST(Operations, CodeReachingTheBootSectionAsksAndCanBeTruncatedBelowIt) {
    struct Case {
        const char* what;
        std::uint32_t lastByte;
        std::vector<std::pair<QString, Answer>> answers;
        QString status;
        std::uint32_t programmedUpTo;  // 0: nothing
    };
    const Case cases[] = {
        {"into the section, truncated", 0x3C10, {{kEntersBoot, Answer::Yes}, {kTruncate, Answer::Yes}},
         kProgrammedAndVerified, 0x3BFF},
        {"into the section, cancelled", 0x3C10, {{kEntersBoot, Answer::No}},
         QStringLiteral("擦除芯片...      编程...       Canceled"), 0},
        {"up to the section", 0x3BFF, {}, kProgrammedAndVerified, 0x3BFF},
        {"on its first byte, truncated", 0x3C00, {{kEntersBoot, Answer::Yes}, {kTruncate, Answer::Yes}},
         kProgrammedAndVerified, 0x3BFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // The boot loader's section: 512 words (BOOTSZ = 01), from 0x3C00 on.
        Mega16 b(ispsim::ProgrammerConfig::bootLoaderOf(*ispsim::findPart(QStringLiteral("m16"))), "ATmega16 BOOT");
        b.isp().chip().setFuse(ispsim::Fuse::High, 0x9B);
        ASSERT_TRUE(b.started());
        const QByteArray code = pattern(static_cast<int>(c.lastByte) - 0x3B00 + 1, 5);
        b.writeFile(QStringLiteral("boot.hex"), hexFile({{0x3B00, code}}));
        b.browseTo(QStringLiteral("boot.hex"));
        for (const auto& [text, answer] : c.answers) b.answer(text, answer);
        b.click(1001);
        EXPECT_EQ(b.text(1016), c.status);
        for (const auto& shown : b.dialogs().shown()) EXPECT_EQ(shown.icon, platform::Icon::None);
        const QStringList heard = b.sent();
        const qsizetype fuse = heard.indexOf(QStringLiteral("N"));
        ASSERT_GE(fuse, 0);
        EXPECT_EQ(heard[fuse + 1], QStringLiteral("L"));
        const QByteArray flash = b.isp().chip().flash();
        if (c.programmedUpTo == 0) {
            EXPECT_TRUE(b.isp().lampOn(0));
            EXPECT_EQ(flash.mid(0x3B00, 0x100), QByteArray(0x100, '\xFF'));
        } else {
            EXPECT_EQ(flash.mid(0x3B00, static_cast<int>(c.programmedUpTo) - 0x3B00 + 1),
                      code.left(static_cast<int>(c.programmedUpTo) - 0x3B00 + 1));
            EXPECT_EQ(flash.mid(0x3C00), QByteArray(0x400, '\xFF'));
        }
    }
}

TEST(Operations, AnEncipheredImageIsProgrammedAloneAndLocked) {
    Mega16 b;
    ASSERT_TRUE(b.started());
    // An earlier file leaves its bytes in the image.
    const QByteArray earlier = bytes({0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77});
    b.isp().chip().presetFlash(0, earlier);
    b.writeFile(QStringLiteral("earlier.hex"), hexFile({{0, earlier}}));
    b.browseTo(QStringLiteral("earlier.hex"));
    b.click(1002);
    EXPECT_EQ(b.text(1016), QStringLiteral("校验 Flash...     OK"));

    b.writeFile(QStringLiteral("unit.ebn"), EncipherImage(bytes({0xA0, 0xA1, 0xA2})));
    b.browseTo(QStringLiteral("unit.ebn"));
    b.sent();
    b.click(1001);
    EXPECT_EQ(b.text(1016), kProgrammedAndVerified);
    EXPECT_EQ(b.isp().chip().flash().left(8), bytes({0xA0, 0xA1, 0xA2, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    const QStringList heard = b.sent();
    EXPECT_TRUE(heard.contains(QStringLiteral("B 00 04 46 A0 A1 A2 FF")));
    const qsizetype lock = heard.indexOf(QStringLiteral("l F9"));
    ASSERT_GE(lock, 0);
    EXPECT_EQ(heard.mid(lock - 1, 3), (QStringList{"P", "l F9", "L"}));
}

TEST(Operations, FailuresAreReportedInTheStatusLineAndByMessage) {
    const QByteArray flash = pattern(0x1000, 6);
    const QByteArray eeprom = pattern(0x200, 8);
    struct Case {
        const char* what;
        ispsim::ProgrammerConfig config;
        QByteArray memory;
        char lostLetter;
        int lostAnswer;
        int button;
        QString box;
        QString status;
        bool cleared;
    };
    const Case cases[] = {
        {"erase", ispsim::ProgrammerConfig::inSystemProgrammer(), flash, 'e', 1, 1001, QString(),
         QStringLiteral("擦除失败    "), true},
        {"flash program", ispsim::ProgrammerConfig::inSystemProgrammer(), flash, 'B', 20, 1001,
         QStringLiteral("编程失败          "), QStringLiteral("擦除芯片...      编程...       失败  "), false},
        // A lost block read fails the verify without a comparison to show.
        {"flash verify", ispsim::ProgrammerConfig::inSystemProgrammer(), flash, 'g', 5, 1002, QString(),
         QStringLiteral("校验 Flash...     失败  "), false},
        {"EEPROM program", withoutBlockMode(), eeprom, 'D', 20, 1020, QStringLiteral("EEPROM 编程失败         "),
         QStringLiteral("写入 EEPROM...       失败  "), true},
        // A byte read that failed is shown as read 0.
        {"EEPROM verify", withoutBlockMode(), eeprom, 'd', 20, 1020,
         QString::asprintf("   地址: 0x0013, 原始数据: 0x%02x, 芯片数据: 0x00", static_cast<std::uint8_t>(eeprom[19])),
         QStringLiteral("写入 EEPROM...       检验...     失败  "), true},
        {"flash read", withoutBlockMode(), flash, 'R', 20, 1021, QStringLiteral("读取失败   "),
         QStringLiteral("读取 Flash...   失败  "), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Mega16 b(c.config);
        LosingLine line(b.isp(), c.lostLetter, c.lostAnswer);
        b.insertLine(&line);
        ASSERT_TRUE(b.started());
        const QByteArray file = hexFile({{0, c.memory}});
        b.writeFile(QStringLiteral("data.hex"), file);
        b.isp().chip().presetFlash(0, flash);
        b.browseTo(QStringLiteral("data.hex"));
        if (c.button == 1021) b.answer(QStringLiteral("这个文件已经存在"), Answer::Yes);
        if (!c.box.isEmpty()) b.expectBox(c.box);
        b.click(c.button);
        EXPECT_EQ(b.text(1016), c.status);
        EXPECT_TRUE(b.enabled(c.button));
        // The failed lamp, but where the erase failed (the operation had not begun).
        EXPECT_EQ(b.isp().lampOn(0), c.lostLetter != 'e');
        EXPECT_EQ(b.sent().last(), QStringLiteral("L"));
        b.advance(3000);
        EXPECT_EQ(b.text(1016).isEmpty(), c.cleared);
        // A read that failed leaves the file as it was.
        EXPECT_EQ(b.readFile(QStringLiteral("data.hex")), file);
    }
}

TEST(Operations, AVerifyDifferenceIsShownAndTheStatusKeepsTheFailure) {
    Mega16 b;
    ASSERT_TRUE(b.started());
    b.writeFile(QStringLiteral("code.hex"), hexFile({{0x100, bytes({0x0C, 0x94, 0x2A, 0x00})}}));
    b.isp().chip().presetFlash(0x100, bytes({0x0C, 0x94, 0x2B, 0x00}));
    b.browseTo(QStringLiteral("code.hex"));
    b.expectBox(QStringLiteral("   地址: 0x0081, 原始数据: 0x002a, 芯片数据: 0x002b"));
    b.click(1002);
    EXPECT_EQ(b.text(1016), QStringLiteral("校验 Flash...     失败  "));
    EXPECT_TRUE(b.isp().lampOn(0));
    b.advance(60000);
    EXPECT_EQ(b.text(1016), QStringLiteral("校验 Flash...     失败  "));
}

TEST(Operations, ReadingAsksBeforeItReplacesAFile) {
    Mega16 b;
    ASSERT_TRUE(b.started());
    const QString out = b.writeFile(QStringLiteral("out.hex"), "keep me");
    b.browseTo(QStringLiteral("out.hex"));
    b.answer(out + QStringLiteral("\n这个文件已经存在.        \n覆盖这个文件吗?       "), Answer::No);
    b.click(1021);
    EXPECT_EQ(b.readFile(QStringLiteral("out.hex")), QByteArray("keep me"));
    EXPECT_TRUE(b.sent().isEmpty());

    b.answer(QStringLiteral("这个文件已经存在"), Answer::Yes);
    b.click(1019);
    EXPECT_EQ(b.readFile(QStringLiteral("out.hex")), hexOfMemory(b.isp().chip().eeprom()));
}

TEST(Operations, FileProblemsStopBeforeTheProgrammerIsAsked) {
    Mega16 b;
    ASSERT_TRUE(b.started());
    b.writeFile(QStringLiteral("notes.txt"), "firmware 1.2\r\n");
    b.writeFile(QStringLiteral("bad.hex"), ":0300000001020305\r\n:00000001FF\r\n");

    b.browseTo(QStringLiteral("notes.txt"));
    b.expectBox(QStringLiteral("您指定的文件不是一个有效的 Intel HEX 格式文件!  "));
    b.click(1001);

    b.browseTo(QStringLiteral("bad.hex"));
    b.answer(QStringLiteral("Checksum not valid in Intel HEX file\nProceed?"), Answer::No);
    b.click(1002);

    b.browseTo(QStringLiteral("missing.hex"));
    b.expectBox(QStringLiteral("不能读取输入文件         "));
    b.click(1001);
    b.expectBox(QStringLiteral("不能打开输入文件         "));
    b.click(1022);
    const std::int64_t before = b.scheduler().now();
    b.click(1020);
    EXPECT_EQ(b.text(1016), QStringLiteral("没有EEPROM文件"));
    EXPECT_EQ(b.scheduler().now() - before, 1000);

    b.browseTo(QStringLiteral("broken.ebn"));
    b.writeFile(QStringLiteral("broken.ebn"), "not enciphered");
    b.expectBox(QStringLiteral("不能读取输入文件         "));
    b.click(1001);
    EXPECT_TRUE(b.sent().isEmpty());
}

TEST(Operations, IgnoringChecksumsProgramsABadRecordWithoutAsking) {
    Mega16 b;
    b.setSetting(QStringLiteral("Ignore Checksum"), 1);
    ASSERT_TRUE(b.started());
    b.writeFile(QStringLiteral("bad.hex"), ":0300000001020305\r\n:00000001FF\r\n");
    b.browseTo(QStringLiteral("bad.hex"));
    b.click(1001);
    EXPECT_EQ(b.text(1016), kProgrammedAndVerified);
    EXPECT_EQ(b.isp().chip().flash().left(3), bytes({0x01, 0x02, 0x03}));
}

TEST(Operations, WithoutASelectedDeviceNothingIsTransferred) {
    ispsim::ProgrammerConfig config = ispsim::ProgrammerConfig::inSystemProgrammer();
    config.deviceList = QByteArray::fromHex("E1");  // a code without a row
    Mega16 b(config);
    ASSERT_TRUE(b.started());
    EXPECT_TRUE(b.entries(1003).isEmpty());
    b.writeFile(QStringLiteral("code.hex"), hexFile({{0, pattern(16, 7)}}));
    b.browseTo(QStringLiteral("code.hex"));
    for (int button : {1001, 1002, 1021}) {
        b.expectBox(QStringLiteral("错误:没有选择目标芯片!      "));
        b.click(button);
    }
    EXPECT_TRUE(b.sent().isEmpty());
}
