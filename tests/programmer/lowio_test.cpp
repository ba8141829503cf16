// CLowIO against isp-sim on in-process wires, in virtual time.
#include "support/isp_bench.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace burnet;
using namespace burnettest;

namespace {

const QStringList kFourPorts{QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3"),
                             QStringLiteral("COM4")};

}  // namespace

TEST(PortScan, ProgrammerAt38400OnCom3IsFoundAtAttempt11) {
    ProgrammerConfig config = ProgrammerConfig::inSystemProgrammer();
    config.listenBaud = 38400;
    Bench b("m16", config, kFourPorts, QStringLiteral("COM3"));

    ASSERT_TRUE(b.io.FindProgrammer());
    ASSERT_EQ(b.ports.opens.size(), 11u);
    const int bauds[] = {115200, 19200, 38400};
    for (std::size_t i = 0; i < b.ports.opens.size(); ++i) {
        const auto& o = b.ports.opens[i];
        EXPECT_EQ(o.name, QStringLiteral("COM%1").arg(i % 4 + 1)) << i;
        EXPECT_EQ(o.line.baud, bauds[i / 4]) << i;
        EXPECT_FALSE(o.line.dtr);
        EXPECT_FALSE(o.line.rts);
        EXPECT_EQ(o.timeouts.readIntervalMs, 100);
        EXPECT_EQ(o.timeouts.readTotalMultiplierMs, 50);
        EXPECT_EQ(o.timeouts.readTotalConstantMs, 4000);
        EXPECT_EQ(o.timeouts.writeTotalMultiplierMs, 500);
        EXPECT_EQ(o.timeouts.writeTotalConstantMs, 1500);
    }
    EXPECT_TRUE(b.io.isOpen());
    EXPECT_EQ(b.programmerWire->hostBaud(), 38400);
    // The programmer heard only the attempt at its own rate: synchronisation, identifier and
    // the auto-increment question.
    EXPECT_EQ(b.sent(), (QStringList{"ESC", "ESC", "ESC", "ESC", "S", "a"}));
    EXPECT_TRUE(b.io.autoIncrement());
}

TEST(PortScan, AProgrammerOnCom5IsNeverFound) {
    Bench b("m16", ProgrammerConfig::inSystemProgrammer(), {QStringLiteral("COM5")}, QStringLiteral("COM5"));
    EXPECT_FALSE(b.io.FindProgrammer());
    EXPECT_FALSE(b.io.isOpen());
    ASSERT_EQ(b.ports.opens.size(), 20u);
    for (const auto& o : b.ports.opens) {
        EXPECT_NE(o.name, QStringLiteral("COM5"));
        EXPECT_FALSE(o.opened);
    }
    EXPECT_TRUE(b.isp.log().empty());
}

TEST(PortScan, OnlyASevenCharacterIdentifierBeginningWithKesCounts) {
    struct Case {
        QByteArray identifier;
        bool found;
    };
    for (const Case& c : {Case{"KES-ISP", true}, Case{"KESBOOT", true}, Case{"KES-IS", false},
                          Case{"kes-isp", false}, Case{"XKES-IS", false}}) {
        ProgrammerConfig config = ProgrammerConfig::inSystemProgrammer();
        config.identifier = c.identifier;
        Bench b("m16", config);
        EXPECT_EQ(b.io.FindProgrammer(), c.found) << c.identifier.constData();
        EXPECT_EQ(b.io.isOpen(), c.found) << c.identifier.constData();
        // Not found: all five attempts on the one port, both ways of asking, were made.
        if (!c.found) {
            EXPECT_EQ(std::count_if(b.ports.opens.begin(), b.ports.opens.end(), [](const auto& o) { return o.opened; }), 5)
                << c.identifier.constData();
        }
    }
}

TEST(PortScan, AProgrammerInUpgradeModeAnswersOnlyTheProbe) {
    ProgrammerConfig config = ProgrammerConfig::inSystemProgrammer();
    config.upgradeMode = true;
    config.listenBaud = 19200;
    Bench b("m16", config, kFourPorts, QStringLiteral("COM2"));

    ASSERT_TRUE(b.io.FindProgrammer());
    ASSERT_EQ(b.ports.opens.size(), 14u);
    EXPECT_EQ(b.ports.opens.back().name, QStringLiteral("COM2"));
    EXPECT_EQ(b.ports.opens.back().line.baud, 19200);
    const QStringList heard = b.sent();
    const QStringList probe{"ESC", "ESC", "ESC", "ESC", "ESC", "ESC", "[KES-Tools-upgr]", "ESC", "a"};
    ASSERT_GE(heard.size(), probe.size());
    EXPECT_EQ(heard.mid(heard.size() - probe.size()), probe);
    EXPECT_FALSE(b.io.autoIncrement());
}

TEST(Identification, IdentifierVersionTypeAndAutoIncrement) {
    Bench b("m16");
    ASSERT_TRUE(b.find());
    QString id;
    char major = 0, minor = 0, type = 0;
    EXPECT_TRUE(b.io.ReadSoftwareId(id));
    EXPECT_EQ(id, QStringLiteral("KES-ISP"));
    EXPECT_TRUE(b.io.ReadSoftwareVersion(major, minor));
    EXPECT_EQ(major, '1');
    EXPECT_EQ(minor, '4');
    EXPECT_TRUE(b.io.ReadProgrammerType(type));
    EXPECT_EQ(type, 'S');
    EXPECT_TRUE(b.io.CheckAutoIncrement());
    EXPECT_EQ(b.sent(), (QStringList{"S", "V", "p", "a"}));

    Bench plain("m16", withoutBlockMode());
    ASSERT_TRUE(plain.find());
    EXPECT_FALSE(plain.io.autoIncrement());
}

TEST(Lists, DeviceListUpToTheZeroByte) {
    Bench b("m16");
    ASSERT_TRUE(b.find());
    std::int64_t took = b.timed([&] { EXPECT_EQ(b.io.ReadDeviceList(), QByteArray::fromHex("7674433830E1")); });
    EXPECT_GE(took, 400);

    Bench none("m16", withoutDeviceList(3));
    ASSERT_TRUE(none.find());
    EXPECT_TRUE(none.io.ReadDeviceList().isEmpty());
}

TEST(Lists, ALongDeviceListIsReadIntoSixtyFourBytesAndTheRestIsFlushed) {
    ProgrammerConfig config = ProgrammerConfig::inSystemProgrammer();
    config.deviceList.clear();
    for (int code = 1; code <= 70; ++code) config.deviceList.append(static_cast<char>(code));
    Bench b("m16", config);
    ASSERT_TRUE(b.find());
    EXPECT_EQ(b.io.ReadDeviceList(), config.deviceList.left(64));
    // Six codes and the zero byte are still waiting when programming mode is entered.
    EXPECT_TRUE(b.io.EnterProgMode());
    EXPECT_EQ(b.dialogs.texts(), QStringList{"Flushing"});
}

TEST(Lists, ProgrammerTypesAndTheirSelection) {
    Bench b("m16", withoutDeviceList(3, "PSV"));
    ASSERT_TRUE(b.find());
    EXPECT_EQ(b.io.ReadProgrammerTypeList(), QByteArray("PSV"));
    EXPECT_EQ(b.io.ReadParamVersion(), 3);
    EXPECT_TRUE(b.io.SelectProgrammerType('P'));
    char type = 0;
    EXPECT_TRUE(b.io.ReadProgrammerType(type));
    EXPECT_EQ(type, 'P');
    EXPECT_FALSE(b.io.SelectProgrammerType('W'));
    EXPECT_EQ(b.sent(), (QStringList{"O", "K", "o 50", "p", "o 57"}));

    Bench unsupported("m16", withoutDeviceList(1, ""));
    ASSERT_TRUE(unsupported.find());
    EXPECT_EQ(unsupported.io.ReadProgrammerTypeList(), QByteArray("?"));
}

TEST(Lists, BlockSupportFromTheThreeByteAnswer) {
    struct Case {
        int programmerBlock;
        std::uint32_t blockSize;
    };
    // 0xFF00 is answered Y 0xFF 0x00, which means no block mode; 0 is answered '?'.
    for (const Case c : {Case{128, 128}, Case{256, 256}, Case{0xFF00, 0}, Case{0, 0}}) {
        ProgrammerConfig config = ProgrammerConfig::inSystemProgrammer();
        config.blockSize = c.programmerBlock;
        Bench b("m16", config);
        ASSERT_TRUE(b.find());
        b.io.ReadBlockSupport();
        EXPECT_EQ(b.io.blockSize(), c.blockSize) << c.programmerBlock;
        EXPECT_EQ(b.sent(), QStringList{"b"});
    }
}

TEST(DeviceSelect, MessageLengthFollowsTheParameterBlockVersion) {
    struct Case {
        std::uint8_t answerToK;
        int length;
        int versionOnTheWire;
    };
    const DeviceRow& m16 = row("ATmega16");
    for (const Case c : {Case{0, 5, 0}, Case{1, 22, 1}, Case{3, 27, 3}, Case{7, 28, 5}}) {
        SCOPED_TRACE(c.answerToK);
        Bench b("m16", withoutDeviceList(c.answerToK));
        ASSERT_TRUE(b.find());
        const std::uint8_t version = b.io.ReadParamVersion();
        EXPECT_EQ(version, c.answerToK);
        b.programmerWire->takeWritten();
        ASSERT_TRUE(b.io.SelectDevice(m16, version));
        const QByteArray message = b.programmerWire->takeWritten();
        EXPECT_EQ(message.size(), c.length);
        EXPECT_TRUE(message.startsWith(QByteArray::fromHex("1B1B1B54")));
        if (c.length >= 27) {
            EXPECT_EQ(message[5], static_cast<char>(c.versionOnTheWire));
        }

        ASSERT_TRUE(b.isp.selection().has_value());
        const ispsim::DeviceSelection& s = *b.isp.selection();
        EXPECT_EQ(s.version, c.versionOnTheWire);
        EXPECT_EQ(s.deviceCode, 0x74);
        if (c.length > 5) {
            EXPECT_EQ(s.flashSize, 16384u);
            EXPECT_EQ(s.eepromSize, 512);
            EXPECT_EQ(s.pageSize, 128);
            EXPECT_EQ(s.paramLong, m16.paramLong);
            EXPECT_EQ(s.paramWord, m16.paramWord);
        }
        if (c.length == 28) {
            EXPECT_EQ(s.tailByte, m16.tailByte);
        }
        EXPECT_EQ(b.io.deviceCode(), 0x74u);
        EXPECT_EQ(b.io.flashSize(), 16384u);
        EXPECT_EQ(b.io.eepromSize(), 512u);
        EXPECT_TRUE(b.io.wordAddressed());
    }
}

TEST(DeviceSelect, ARefusedSelectKeepsThePreviousDevice) {
    Bench b("m16");
    ASSERT_TRUE(b.find());
    ASSERT_TRUE(b.io.SelectDevice(row("ATmega16"), 0));
    // Not in this programmer's device list: answered '?'.
    EXPECT_FALSE(b.io.SelectDevice(row("AT90S2313"), 0));
    EXPECT_EQ(b.io.deviceCode(), 0x74u);
    EXPECT_EQ(b.io.flashSize(), 16384u);
}

TEST(DeviceSelect, AByteAddressedRowClearsTheWordFlag) {
    Bench b("89s52", withoutDeviceList(0));
    ASSERT_TRUE(b.find());
    EXPECT_TRUE(b.io.wordAddressed());
    ASSERT_TRUE(b.io.SelectDevice(row("AT89S8252"), 0));
    EXPECT_FALSE(b.io.wordAddressed());
    EXPECT_EQ(b.io.eepromSize(), 2048u);
}

TEST(ProgrammingMode, EnteredOnceUntilLeft) {
    Bench b("m16");
    ASSERT_TRUE(b.find());
    std::uint8_t fuse = 0;
    EXPECT_TRUE(b.io.EnterProgMode());
    EXPECT_TRUE(b.io.EnterProgMode());
    EXPECT_TRUE(b.io.ReadFuseBits(fuse));
    EXPECT_TRUE(b.io.inProgMode());
    EXPECT_TRUE(b.io.LeaveProgMode());
    EXPECT_FALSE(b.io.inProgMode());
    EXPECT_TRUE(b.io.ReadFuseBits(fuse));
    EXPECT_EQ(b.sent(), (QStringList{"P", "F", "L", "P", "F"}));
    EXPECT_TRUE(b.dialogs.shown().empty());
}

TEST(ProgrammingMode, NoTargetShowsTheMessageAndLeaves) {
    Bench b("m16");
    ASSERT_TRUE(b.find());
    b.isp.setTargetPresent(false);
    EXPECT_FALSE(b.io.EnterProgMode());
    EXPECT_FALSE(b.io.inProgMode());
    EXPECT_EQ(b.sent(), (QStringList{"P", "L"}));
    ASSERT_EQ(b.dialogs.shown().size(), 1u);
    EXPECT_EQ(b.dialogs.shown()[0].text, QStringLiteral("Can't enter programming mode!"));
    EXPECT_EQ(b.dialogs.shown()[0].caption, QStringLiteral("Burnet"));

    // Every command that needs programming mode asks again, and fails.
    std::uint8_t lock = 0;
    EXPECT_FALSE(b.io.ReadLockBits(lock));
    EXPECT_EQ(b.sent(), (QStringList{"P", "L"}));
}

TEST(ProgrammingMode, StrayBytesAreFlushedFirst) {
    Bench b("m16");
    ASSERT_TRUE(b.find());
    b.programmerWire->send(QByteArray("\x55\x66", 2));
    b.clock.advance(50);
    EXPECT_TRUE(b.io.EnterProgMode());
    EXPECT_EQ(b.dialogs.texts(), QStringList{"Flushing"});
    EXPECT_EQ(b.sent(), QStringList{"P"});
    std::uint8_t fuse = 0;
    EXPECT_TRUE(b.io.ReadFuseBits(fuse));
    EXPECT_EQ(fuse, 0xE1);
}

TEST(ChipErase, ErasesInProgrammingModeAndLeavesOnlyWhereTheRowSaysSo) {
    Bench b("m16");
    ASSERT_TRUE(b.find());
    ASSERT_TRUE(b.io.SelectDevice(row("ATmega16"), 0));
    b.isp.chip().presetFlash(0, QByteArray::fromHex("0C94"));
    b.sent();
    const std::int64_t took = b.timed([&] { EXPECT_TRUE(b.io.ChipErase()); });
    EXPECT_GE(took, 100);
    EXPECT_EQ(b.sent(), (QStringList{"P", "e"}));
    EXPECT_TRUE(b.io.inProgMode());
    EXPECT_EQ(b.isp.chip().flash().left(2), QByteArray(2, '\xFF'));

    Bench s8252("89s52", withoutDeviceList(0));
    ASSERT_TRUE(s8252.find());
    ASSERT_TRUE(s8252.io.SelectDevice(row("AT89S8252"), 0));
    s8252.sent();
    EXPECT_TRUE(s8252.io.ChipErase());
    EXPECT_EQ(s8252.sent(), (QStringList{"P", "e", "L"}));
    EXPECT_FALSE(s8252.io.inProgMode());
}

TEST(Memory, FlashWordsWithAndWithoutAnAddress) {
    Bench b("m16", withoutBlockMode());
    ASSERT_TRUE(b.find());
    ASSERT_TRUE(b.io.SelectDevice(row("ATmega16"), 0));
    ASSERT_TRUE(b.io.EnterProgMode());
    b.sent();
    EXPECT_TRUE(b.io.WriteProgramWord(0x0010, 0xBEEF, false));
    EXPECT_TRUE(b.io.WritePage(0x0010, false));
    EXPECT_EQ(b.sent(), (QStringList{"A 00 10", "c EF", "C BE", "A 00 10", "m"}));
    EXPECT_EQ(b.isp.chip().flash().mid(0x20, 2), QByteArray::fromHex("EFBE"));

    std::uint16_t word = 0;
    EXPECT_TRUE(b.io.ReadProgramWord(0x0010, false, word));
    EXPECT_EQ(word, 0xBEEF);
    EXPECT_TRUE(b.io.ReadProgramWord(0x0010, true, word));
    EXPECT_EQ(word, 0xBEEF);
    EXPECT_EQ(b.sent(), (QStringList{"A 00 10", "R", "R"}));
}

TEST(Memory, ByteAddressedFlashTakesOneByteACommand) {
    Bench b("89s52", withoutDeviceList(0));
    ASSERT_TRUE(b.find());
    ASSERT_TRUE(b.io.SelectDevice(row("AT89S8252"), 0));
    ASSERT_TRUE(b.io.EnterProgMode());
    b.sent();
    EXPECT_TRUE(b.io.WriteProgramWord(0x0005, 0x0012, false));
    std::uint16_t value = 0;
    EXPECT_TRUE(b.io.ReadProgramWord(0x0005, false, value));
    EXPECT_EQ(value, 0x12);
    EXPECT_EQ(b.sent(), (QStringList{"A 00 05", "c 12", "A 00 05", "R"}));
    EXPECT_EQ(b.isp.chip().flash()[5], '\x12');
}

TEST(Memory, EepromBytes) {
    Bench b("m16", withoutBlockMode());
    ASSERT_TRUE(b.find());
    ASSERT_TRUE(b.io.EnterProgMode());
    b.sent();
    EXPECT_TRUE(b.io.WriteDataByte(3, 0x5A, false));
    std::uint8_t value = 0;
    EXPECT_TRUE(b.io.ReadDataByte(3, false, value));
    EXPECT_EQ(value, 0x5A);
    EXPECT_EQ(b.sent(), (QStringList{"A 00 03", "D 5A", "A 00 03", "d"}));
    EXPECT_EQ(b.isp.chip().eeprom()[3], '\x5A');
}

TEST(Memory, BlocksOfFlashAndEeprom) {
    Bench b("m16");
    ASSERT_TRUE(b.find());
    ASSERT_TRUE(b.io.EnterProgMode());
    b.sent();
    const std::uint8_t code[] = {0x0C, 0x94, 0x2A, 0x00};
    EXPECT_TRUE(b.io.SetAddress(0x0040));
    EXPECT_TRUE(b.io.BlockWrite(4, code, CLowIO::Memory::Flash));
    const std::uint8_t data[] = {0x11, 0x22, 0x33};
    EXPECT_TRUE(b.io.SetAddress(0x0010));
    EXPECT_TRUE(b.io.BlockWrite(3, data, CLowIO::Memory::Eeprom));
    EXPECT_EQ(b.sent(), (QStringList{"A 00 40", "B 00 04 46 0C 94 2A 00", "A 00 10", "B 00 03 45 11 22 33"}));
    EXPECT_EQ(b.isp.chip().flash().mid(0x80, 4), QByteArray::fromHex("0C942A00"));
    EXPECT_EQ(b.isp.chip().eeprom().mid(0x10, 3), QByteArray::fromHex("112233"));

    std::uint8_t back[4] = {};
    EXPECT_TRUE(b.io.SetAddress(0x0040));
    EXPECT_TRUE(b.io.BlockRead(back, 4, CLowIO::Memory::Flash));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(back), 4), QByteArray::fromHex("0C942A00"));
    EXPECT_TRUE(b.io.SetAddress(0x0010));
    EXPECT_TRUE(b.io.BlockRead(back, 3, CLowIO::Memory::Eeprom));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(back), 3), QByteArray::fromHex("112233"));
    EXPECT_EQ(b.sent(), (QStringList{"A 00 40", "g 00 04 46", "A 00 10", "g 00 03 45"}));
}

// Writing 512 EEPROM bytes takes the chip 4.6 s, longer than any ordinary read time-out.
TEST(Memory, ASlowBlockWriteIsWaitedFor) {
    ProgrammerConfig config = ProgrammerConfig::inSystemProgrammer();
    config.blockSize = 512;
    config.realisticTiming = true;
    Bench b("m128", config);
    ASSERT_TRUE(b.find());
    ASSERT_TRUE(b.io.EnterProgMode());
    ASSERT_TRUE(b.io.SetAddress(0));
    const QByteArray data(512, '\x42');
    const std::int64_t took = b.timed([&] {
        EXPECT_TRUE(b.io.BlockWrite(512, reinterpret_cast<const std::uint8_t*>(data.constData()), CLowIO::Memory::Eeprom));
    });
    EXPECT_GT(took, 4000 + 50);
    EXPECT_EQ(b.isp.chip().eeprom().left(512), data);
    // The ordinary time-outs apply again afterwards.
    std::uint8_t fuse = 0;
    EXPECT_TRUE(b.io.ReadFuseBits(fuse));
}

TEST(TargetBytes, SignatureAndCalibration) {
    Bench b("m16");
    ASSERT_TRUE(b.find());
    std::array<std::uint8_t, 3> signature{};
    EXPECT_TRUE(b.io.ReadSignature(signature));
    EXPECT_EQ(signature, (std::array<std::uint8_t, 3>{0x03, 0x94, 0x1E}));
    std::uint8_t calibration = 0;
    EXPECT_TRUE(b.io.ReadCalibrationByte(calibration));
    EXPECT_EQ(calibration, 0xA8);
    EXPECT_EQ(b.sent(), (QStringList{"P", "s", "h"}));

    // A boot loader answers h with '?' alone.
    Bench boot("m16", ProgrammerConfig::bootLoaderOf(part("m16")));
    ASSERT_TRUE(boot.find());
    EXPECT_FALSE(boot.io.ReadCalibrationByte(calibration));
}

TEST(TargetBytes, FuseAndLockBytesByLetter) {
    Bench b("m128");
    ASSERT_TRUE(b.find());
    std::uint8_t low = 0, high = 0, ext = 0, lock = 0;
    EXPECT_TRUE(b.io.ReadFuseBits(low));
    EXPECT_TRUE(b.io.ReadFuseHighBits(high));
    EXPECT_TRUE(b.io.ReadExtFuseBits(ext));
    EXPECT_TRUE(b.io.ReadLockBits(lock));
    EXPECT_EQ(low, 0xE1);
    EXPECT_EQ(high, 0x99);
    EXPECT_EQ(ext, 0xFD);
    EXPECT_EQ(lock, b.isp.chip().lock());
    EXPECT_TRUE(b.io.WriteFuseBits(0xE4));
    EXPECT_TRUE(b.io.WriteFuseHighBits(0x98));
    EXPECT_TRUE(b.io.WriteExtFuseBits(0xFF));
    EXPECT_TRUE(b.io.WriteLockBits(0xFC));
    EXPECT_EQ(b.sent(), (QStringList{"P", "F", "N", "Q", "r", "f E4", "n 98", "q FF", "l FC"}));
    EXPECT_EQ(b.isp.chip().fuse(ispsim::Fuse::Low), 0xE4);
    EXPECT_EQ(b.isp.chip().fuse(ispsim::Fuse::High), 0x98);
    EXPECT_EQ(b.isp.chip().fuse(ispsim::Fuse::Extended), 0xFF);
    EXPECT_EQ(b.isp.chip().lockMode(), 3);
}

TEST(TargetBytes, RawInstructionsAndTheLeaveAfterTheLongOne) {
    Bench b("m16");
    ASSERT_TRUE(b.find());
    std::uint8_t result = 0;
    EXPECT_TRUE(b.io.UniversalCommand(0x50, 0x00, 0x00, result));
    EXPECT_EQ(result, 0xE1);
    EXPECT_TRUE(b.io.inProgMode());
    EXPECT_TRUE(b.io.UniversalCommand4(0xAC, 0xA0, 0x00, 0xE4, result));
    EXPECT_FALSE(b.io.inProgMode());
    EXPECT_EQ(b.sent(), (QStringList{"P", ": 50 00 00", ". AC A0 00 E4", "L"}));
    EXPECT_EQ(b.isp.chip().fuse(ispsim::Fuse::Low), 0xE4);

    // A parallel programmer passes no instructions through: '?' alone.
    ProgrammerConfig parallel = ProgrammerConfig::inSystemProgrammer();
    parallel.type = 'P';
    Bench p("m16", parallel);
    ASSERT_TRUE(p.find());
    EXPECT_FALSE(p.io.UniversalCommand(0x50, 0x00, 0x00, result));
}

TEST(Lamps, AllOffThenTheOneForTheStatus) {
    struct Case {
        CLowIO::Status status;
        int lamp;
        const char* command;
    };
    Bench b("m16");
    ASSERT_TRUE(b.find());
    for (const Case c : {Case{CLowIO::Status::Busy, 2, "x 02"}, Case{CLowIO::Status::Passed, 1, "x 01"},
                         Case{CLowIO::Status::Failed, 0, "x 00"}}) {
        b.io.ShowStatus(c.status);
        EXPECT_EQ(b.sent(), (QStringList{"y 01", "y 02", "y 00", c.command}));
        for (int lamp = 0; lamp < 3; ++lamp) EXPECT_EQ(b.isp.lampOn(lamp), lamp == c.lamp) << c.command;
    }
}

TEST(Lamps, AProgrammerWithoutLampsDoesNotStopTheOperation) {
    ProgrammerConfig config = ProgrammerConfig::inSystemProgrammer();
    config.hasLamps = false;
    Bench b("m16", config);
    ASSERT_TRUE(b.find());
    b.io.ShowStatus(CLowIO::Status::Busy);
    EXPECT_EQ(b.sent(), (QStringList{"y 01", "y 02", "y 00", "x 02"}));
    EXPECT_TRUE(b.io.EnterProgMode());
    std::uint8_t fuse = 0;
    EXPECT_TRUE(b.io.ReadFuseBits(fuse));
    EXPECT_TRUE(b.dialogs.shown().empty());
}

TEST(Failures, AProgrammerThatStopsAnsweringFailsEachCommandWithinTheTimeOut) {
    Bench b("m16");
    ASSERT_TRUE(b.find());
    b.programmerWire->attach(nullptr);
    std::uint8_t fuse = 0;
    const std::int64_t took = b.timed([&] { EXPECT_FALSE(b.io.ReadFuseBits(fuse)); });
    EXPECT_GE(took, 4050);
    EXPECT_LE(took, 4100);
    EXPECT_FALSE(b.io.inProgMode());
    EXPECT_TRUE(b.dialogs.shown().empty());
}

TEST(Failures, WithoutAPortEveryCommandFailsAtOnce) {
    Bench b("m16", ProgrammerConfig::inSystemProgrammer(), {QStringLiteral("COM5")}, QStringLiteral("COM5"));
    ASSERT_FALSE(b.io.FindProgrammer());
    std::uint8_t value = 0;
    std::uint16_t word = 0;
    QString id;
    const std::int64_t took = b.timed([&] {
        EXPECT_FALSE(b.io.ReadSoftwareId(id));
        EXPECT_FALSE(b.io.SelectDevice(row("ATmega16"), 0));
        EXPECT_FALSE(b.io.EnterProgMode());
        EXPECT_FALSE(b.io.ChipErase());
        EXPECT_FALSE(b.io.ReadProgramWord(0, false, word));
        EXPECT_FALSE(b.io.ReadDataByte(0, true, value));
        EXPECT_TRUE(b.io.ReadDeviceList().isEmpty());
        EXPECT_EQ(b.io.ReadParamVersion(), 0);
        b.io.ShowStatus(CLowIO::Status::Failed);
    });
    EXPECT_EQ(took, 0);
    EXPECT_EQ(b.io.deviceCode(), 0u);
}
