#include "programmer/link/device_select.h"
#include "programmer/link/device_table.h"

#include <gtest/gtest.h>

using namespace burnet;

namespace {

// Every field distinct, so a byte in the wrong place shows.
DeviceRow sampleRow() {
    DeviceRow r{};
    r.name = "sample";
    r.deviceCode = 0x42;
    r.flashSize = 0x00012345;
    r.eepromSize = 0x0ABC;
    r.pageSize = 0x0180;
    r.paramWord2 = 0xBEEF;
    r.paramBytes = 0x332211;
    r.paramLong = 0xA1B2C3D4;
    r.paramWord = 0x5566;
    r.tailByte = 0x77;
    return r;
}

const QByteArray kHead = QByteArray::fromHex("1b1b1b54");
// Code, parameter bytes, page size, long, word (low first), flash size, EEPROM size.
const QByteArray kBody = QByteArray::fromHex("42" "112233" "0180" "a1b2c3d4" "6655" "00012345" "0abc");

}  // namespace

TEST(DeviceSelect, VersionZeroIsThePlainSelect) {
    EXPECT_EQ(DeviceSelectMessage(sampleRow(), 0), QByteArray::fromHex("1b1b1b5442"));
}

TEST(DeviceSelect, VersionOneCarriesTheParameters) {
    const QByteArray m = DeviceSelectMessage(sampleRow(), 1);
    EXPECT_EQ(m.size(), 22);
    EXPECT_EQ(m, kHead + kBody);
}

TEST(DeviceSelect, LongFormsByVersion) {
    struct Case {
        std::uint8_t version;
        int length;
        char versionByte;
    };
    for (const Case c : {Case{2, 27, 2}, Case{3, 27, 3}, Case{4, 27, 4}, Case{5, 28, 5}, Case{7, 28, 5},
                         Case{0xFF, 28, 5}}) {
        SCOPED_TRACE(c.version);
        const QByteArray m = DeviceSelectMessage(sampleRow(), c.version);
        ASSERT_EQ(m.size(), c.length);
        QByteArray expected = kHead;
        expected.append('\0').append(c.versionByte).append(kBody).append(QByteArray::fromHex("beef00"));
        if (c.length == 28) expected.append('\x77');
        EXPECT_EQ(m, expected);
    }
}

TEST(DeviceSelect, RealRowPlainSelectCarriesItsCode) {
    EXPECT_EQ(DeviceSelectMessage(FindRowByName(QStringLiteral("ATmega8")), 0), QByteArray::fromHex("1b1b1b5476"));
}
