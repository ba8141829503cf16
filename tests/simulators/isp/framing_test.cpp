#include "isp_bench.h"

#include "simulators/isp/device_select.h"
#include "simulators/isp/framing.h"

#include <gtest/gtest.h>

using namespace ispsim;
using ispsim::test::bytes;

TEST(CommandLength, CountsTheArgumentsOfEveryCommand) {
    struct Case {
        QByteArray pending;
        bool longSelect;
        int length;
    } cases[] = {
        {"S", false, 1},
        {"\x1b", false, 1},
        {"A\x01", false, 3},
        {"A\x01\x02", false, 3},
        {"H\x00\x01\x02", false, 4},
        {"c\x55", false, 2},
        {"x", false, 2},
        {bytes({':', 0x58, 0, 0}), false, 4},
        {bytes({'.', 0xAC, 0xA0, 0, 0xE4}), false, 5},
        {bytes({'g', 0, 0x80, 'F'}), false, 4},
        {bytes({'B', 0x01}), false, 0},
        {bytes({'B', 0x01, 0x02}), false, 4 + 258},
        {bytes({'B', 0, 0, 'F'}), false, 4},
        {"T", false, 0},
        {"T\x74", false, 2},
        {"T\x74", true, 19},
        {bytes({'T', 0}), true, 0},
        {bytes({'T', 0, 2}), false, 24},
        {bytes({'T', 0, 4}), false, 24},
        {bytes({'T', 0, 5}), true, 25},
        {"[KES-Tools-upgr]S", false, 16},
        {"[KES-To", false, 0},
        {"[no closing bracket here", false, 1},
        {"e", false, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(commandLength(c.pending, c.longSelect), c.length) << c.pending.toHex(' ').toStdString();
}

namespace {

// A device select from its T on; the fields are those a client's device row supplies.
QByteArray longSelect(int version) {
    QByteArray m = version == 1 ? bytes({'T', 0x74}) : bytes({'T', 0x00, std::min(version, 5), 0x74});
    m += bytes({0x11, 0x22, 0x33});                      // paramBytes
    m += bytes({0x00, 0x80});                            // pageSize 128
    m += bytes({0x01, 0x02, 0x03, 0x04});                // paramLong
    m += bytes({0x34, 0x12});                            // paramWord, low byte first
    m += bytes({0x00, 0x00, 0x40, 0x00});                // flash 16384
    m += bytes({0x02, 0x00});                            // EEPROM 512
    if (version >= 2) m += bytes({0xAB, 0xCD, 0x00});    // paramWord2, 0
    if (version >= 5) m += bytes({0x5A});                // tailByte
    return m;
}

}  // namespace

TEST(DeviceSelect, DecodesAllThreeLengths) {
    DeviceSelection plain;
    plain.deviceCode = 0x74;
    EXPECT_EQ(decodeSelect(bytes({'T', 0x74})), plain);

    DeviceSelection expected;
    expected.deviceCode = 0x74;
    expected.paramBytes = {0x11, 0x22, 0x33};
    expected.pageSize = 128;
    expected.paramLong = 0x01020304;
    expected.paramWord = 0x1234;
    expected.flashSize = 16384;
    expected.eepromSize = 512;
    for (int version : {1, 3, 5, 7}) {
        const QByteArray message = longSelect(version);
        DeviceSelection e = expected;
        e.version = std::min(version, 5);
        if (version >= 2) e.paramWord2 = 0xABCD;
        if (version >= 5) e.tailByte = 0x5A;
        EXPECT_EQ(message.size(), version == 1 ? 19 : version >= 5 ? 25 : 24) << version;
        EXPECT_EQ(commandLength(message, version == 1), message.size()) << version;
        EXPECT_EQ(decodeSelect(message), e) << version;
    }
}

// The parameter bytes of a long select must not be taken for commands: each form is
// answered by exactly one carriage return.
TEST(DeviceSelect, EachFormIsAnsweredOnce) {
    const QByteArray esc3("\x1b\x1b\x1b");
    for (int version : {0, 1, 2, 5}) {
        ProgrammerConfig c = ProgrammerConfig::inSystemProgrammer();
        if (version > 0) {
            c.deviceList.clear();
            c.paramVersion = static_cast<std::uint8_t>(version);
        }
        test::Bench b("m16", c);
        const QByteArray message = esc3 + (version == 0 ? bytes({'T', 0x74}) : longSelect(version));
        b.write(message);
        EXPECT_EQ(b.drain(), test::kCr) << version;
        ASSERT_TRUE(b.isp.selection().has_value());
        EXPECT_EQ(b.isp.selection()->version, version);
        EXPECT_EQ(b.isp.selection()->deviceCode, 0x74);
        EXPECT_EQ(b.isp.logTexts().last().left(1), QStringLiteral("T"));
    }
}

TEST(DeviceSelect, ACodeOutsideTheDeviceListIsRefused) {
    ProgrammerConfig c = ProgrammerConfig::inSystemProgrammer();
    c.deviceList = bytes({0x74});
    test::Bench b("m16", c);
    EXPECT_EQ(b.ask(bytes({'T', 0x43})), test::kUnknown);
    EXPECT_FALSE(b.isp.selection().has_value());
    EXPECT_EQ(b.ask(bytes({'T', 0x74})), test::kCr);
}
