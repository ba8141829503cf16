#include "host.h"

#include "simulators/tvr/crc16.h"
#include "simulators/tvr/memory_map.h"

#include <gtest/gtest.h>

#include <random>

using namespace tvrsim;
using namespace tvrsim::memory;
using namespace tvrsim::test;

namespace {

QByteArray sig(const QByteArray& block) {
    const std::uint16_t crc = crc16Arc(block);
    return bytes({crc >> 8, crc & 0xFF});
}

QByteArray pattern(int n, int seed) {
    std::mt19937 r(static_cast<std::uint32_t>(seed));
    QByteArray out;
    for (int i = 0; i < n; ++i) out.append(static_cast<char>(r() & 0xFF));
    return out;
}

class UnitCommands : public ::testing::Test {
protected:
    Host host{{101}};
    Unit& unit = host.site.unit(101);
    QByteArray mem(int offset, int size) const { return unit.memory().mid(offset, size); }
};

}  // namespace

TEST(UnitAnswerLayout, EveryCommandAnswersWithItsLength) {
    const QByteArray page(128, '\x5A');
    const struct {
        int command;
        QByteArray data;
        int answerCommand;
        int frameLength;  // address to check byte
    } cases[] = {
        {50, {}, 50, 4},
        {51, bytes({0x05}), 51, 4},
        {53, bytes({1}) + QByteArray(84, '\0'), 53, 3},
        {54, bytes({2}), 54, 88},
        {55, bytes({2}), 55, 6},
        {56, bytes({0, 1}) + page, 56, 5},
        {57, bytes({1, 13}), 57, 133},
        {58, bytes({2}), 58, 6},
        {59, bytes({1, 1}) + page, 59, 5},
        {60, bytes({13, 11}), 60, 133},
        {61, bytes({13}), 61, 6},
        {62, bytes({0, 1, 20, 0, 52}), 62, 4},
        {63, bytes({2}), 63, 98},
        {64, bytes({2}), 64, 6},
        {65, QByteArray(32, '\0'), 65, 3},
        {66, {}, 66, 35},
        {67, {}, 67, 5},
        {68, QByteArray(8, '\x80'), 68, 3},
        {69, {}, 69, 11},
        {70, {}, 70, 5},
        {71, {}, 71, 3},
        {72, {}, 72, 3},
        {77, bytes({9, 7, 14, 5, 3, 12, 0, 0}), 77, 3},
        {78, {}, 78, 9},
        {82, bytes({150}), 82, 3},
        {86, bytes({232}) + page, 86, 4},
        {87, bytes({0}), 87, 132},
        {88, {}, 88, 5},
    };
    for (const auto& c : cases) {
        Host host({101});
        const Frame answer = host.ask(request(101, c.command, c.data));
        EXPECT_EQ(answer.command, c.answerCommand) << "CMD" << c.command;
        EXPECT_EQ(answer.binary().size(), c.frameLength) << "CMD" << c.command;
    }
}

TEST_F(UnitCommands, ReadsAnswerFromTheBlockAtItsPlace) {
    unit.setMemory(pattern(kSize, 7));
    const struct {
        int command;
        QByteArray data;
        QByteArray expected;
    } cases[] = {
        {54, bytes({2}), bytes({2}) + mem(constantsOffset(3), 84)},
        {57, bytes({0, 1}), bytes({0, 1}) + mem(12544, 128)},
        {57, bytes({1, 13}), bytes({1, 13}) + mem(14208 + 1536, 128)},
        {57, bytes({2, 4}), bytes({2, 4}) + mem(28160 + 384, 128)},
        {60, bytes({1, 1}), bytes({1, 1}) + mem(0, 128)},
        {60, bytes({8, 11}), bytes({8, 11}) + mem(7 * 1408 + 1280, 128)},
        {60, bytes({11, 1}), bytes({11, 1}) + mem(15872, 128)},
        {60, bytes({18, 11}), bytes({18, 11}) + mem(18 * 1408 + 384 + 1280, 128)},
        {66, {}, mem(11392, 32)},
        {69, {}, mem(11264, 8)},
        {87, bytes({232}), bytes({232}) + mem(29696, 128)},
    };
    for (const auto& c : cases) {
        const Frame answer = host.ask(request(101, c.command, c.data));
        EXPECT_EQ(answer.data, c.expected)
            << "CMD" << c.command << " " << c.data.left(2).toHex().constData();
    }
}

TEST_F(UnitCommands, SignaturesAreCrc16ArcOfTheBlockAsTheUnitHoldsIt) {
    unit.setMemory(pattern(kSize, 3));
    QByteArray instrumental = bytes({2, 10, 0, 150, 20, 0, 30});
    unit.handle(request(101, 62, bytes({4}) + instrumental));  // channel 5: two rows
    QByteArray calibration = mem(tableOffset(4), 1408);
    calibration.replace(2, 2, QByteArray(2, '\0'));  // row 1's volume is not signed
    const struct {
        int command;
        QByteArray data;
        QByteArray expected;
    } cases[] = {
        {55, bytes({7}), bytes({7}) + sig(mem(constantsOffset(8), 84))},
        {58, bytes({0}), bytes({0}) + sig(mem(12544, 1664))},
        {58, bytes({2}), bytes({2}) + sig(mem(28160, 1664))},
        {61, bytes({4}), bytes({4}) + sig(calibration)},
        {61, bytes({14}), bytes({14}) + sig(mem(tableOffset(14), 1408))},
        {64, bytes({4}), bytes({4}) + sig(instrumental)},
        {67, {}, sig(mem(11392, 32))},
        {70, {}, sig(mem(11264, 8))},
        {88, {}, sig(unit.memory())},
    };
    for (const auto& c : cases) {
        const Frame answer = host.ask(request(101, c.command, c.data));
        EXPECT_EQ(answer.data, c.expected) << "CMD" << c.command;
    }
    EXPECT_NE(host.ask(request(101, 61, bytes({4}))).data.mid(1), sig(mem(tableOffset(4), 1408)));
}

TEST_F(UnitCommands, TheFactoryMemorySignsAsTheDefaultBlocks) {
    // A configurator that builds the default content must agree on these.
    EXPECT_EQ(host.ask(request(101, 88)).data, sig(unit.memory()));
    EXPECT_EQ(host.ask(request(101, 70)).data, sig(QByteArray(8, '\x80')));
    EXPECT_EQ(host.ask(request(101, 64, bytes({0}))).data,
              bytes({0}) + sig(mem(instrumentalOffset(1), 94)));
}

TEST_F(UnitCommands, WritesLandInTheBlockAndFillItsTail) {
    unit.setMemory(pattern(kSize, 11));
    const QByteArray page = pattern(128, 12);
    const QByteArray constants = pattern(84, 13);
    const QByteArray common = pattern(32, 14);
    const QByteArray relay = pattern(8, 15);
    const QByteArray instrumental = bytes({3, 0xCE, 0, 150, 0, 0, 0, 100, 0x01, 0x02});
    const struct {
        int command;
        QByteArray data;
        int offset;
        QByteArray expected;
    } cases[] = {
        {53, bytes({5}) + constants, constantsOffset(6), constants + QByteArray(44, '\xFF')},
        {56, bytes({1, 12}) + page, 14208 + 11 * 128, page},
        {59, bytes({2, 3}) + page, 1408 + 256, page},
        {59, bytes({17, 11}) + page, 17 * 1408 + 384 + 1280, page},
        {62, bytes({7}) + instrumental, instrumentalOffset(8),
         instrumental + QByteArray(118, '\xFF')},
        {65, common, 11392, common + QByteArray(96, '\xFF')},
        {68, relay, 11264, relay + QByteArray(120, '\xFF')},
        {86, bytes({100}) + page, 12800, page},
    };
    for (const auto& c : cases) {
        const QByteArray before = unit.memory();
        host.ask(request(101, c.command, c.data));
        EXPECT_EQ(mem(c.offset, static_cast<int>(c.expected.size())), c.expected)
            << "CMD" << c.command;
        QByteArray rest = unit.memory();
        rest.replace(c.offset, c.expected.size(), before.mid(c.offset, c.expected.size()));
        EXPECT_EQ(rest, before) << "CMD" << c.command << " wrote outside its block";
    }
}

TEST_F(UnitCommands, TheWholeImageReadsAndWritesPageByPage) {
    unit.setMemory(pattern(kSize, 21));
    QByteArray read;
    for (int p = 0; p <= 232; ++p) {
        const Frame answer = host.ask(request(101, 87, bytes({p})));
        ASSERT_EQ(byteAt(answer.data, 0), p);
        read += answer.data.mid(1);
    }
    EXPECT_EQ(read, unit.memory());

    const QByteArray image = pattern(kSize, 22);
    for (int p = 0; p <= 232; ++p)
        ASSERT_EQ(host.ask(request(101, 86, bytes({p}) + image.mid(128 * p, 128))).data,
                  bytes({p}));
    EXPECT_EQ(unit.memory(), image);
    EXPECT_EQ(host.ask(request(101, 88)).data, sig(image));
}

TEST_F(UnitCommands, RefusesConstantsItCannotTakeWith181) {
    const QByteArray before = unit.memory();
    EXPECT_EQ(host.ask(request(101, 53, bytes({0}) + QByteArray(83, '\0'))).data, bytes({0x20}));
    unit.setRefusesConstants(true);
    const Frame refusal = host.ask(request(101, 53, bytes({0}) + QByteArray(84, '\0')));
    EXPECT_EQ(refusal.command, 181);
    EXPECT_EQ(refusal.data, bytes({0x20}));
    EXPECT_EQ(unit.memory(), before);
}

TEST_F(UnitCommands, RefusesInstrumentalTablesItCannotTakeWith190) {
    const QByteArray before = unit.memory();
    QByteArray rows43;
    for (int i = 0; i < 43; ++i) rows43 += bytes({i, 0, i});
    const struct {
        const char* name;
        QByteArray data;
    } cases[] = {
        {"43 rows", bytes({2, 43}) + rows43},
        {"fewer bytes than its rows", bytes({2, 2, 10, 0, 5})},
        {"more bytes than its rows", bytes({2, 1, 10, 0, 5, 0})},
        {"no row count", bytes({2})},
        {"channel 9", bytes({8, 1, 10, 0, 5})},
    };
    for (const auto& c : cases) {
        const Frame refusal = host.ask(request(101, 62, c.data));
        EXPECT_EQ(refusal.command, 190) << c.name;
        EXPECT_EQ(refusal.data, c.data.left(1)) << c.name;
    }
    EXPECT_EQ(unit.memory(), before);
    QByteArray rows42;
    for (int i = 0; i < 42; ++i) rows42 += bytes({i, 0, i});
    EXPECT_EQ(host.ask(request(101, 62, bytes({2, 42}) + rows42)).command, 62);
}

TEST_F(UnitCommands, AnInstrumentalCountBeyond42ReadsAsAnEmptyTable) {
    QByteArray m = unit.memory();
    m[instrumentalOffset(3)] = '\xFF';
    unit.setMemory(m);
    EXPECT_EQ(host.ask(request(101, 63, bytes({2}))).data, bytes({2, 0}));
    EXPECT_EQ(host.ask(request(101, 64, bytes({2}))).data, bytes({2}) + sig(bytes({0})));
}

TEST_F(UnitCommands, MalformedRequestsGetNoAnswer) {
    const struct {
        const char* name;
        Frame frame;
    } cases[] = {
        {"unknown command", request(101, 99)},
        {"CMD50 with data", request(101, 50, bytes({1}))},
        {"CMD54 without a channel", request(101, 54)},
        {"CMD54 for channel 9", request(101, 54, bytes({8}))},
        {"CMD52 for channel 9", request(101, 52, bytes({8}))},
        {"CMD53 for channel 9", request(101, 53, bytes({8}) + QByteArray(84, '\0'))},
        {"CMD57 page 14", request(101, 57, bytes({0, 14}))},
        {"CMD57 page 0", request(101, 57, bytes({0, 0}))},
        {"CMD57 kind 3", request(101, 57, bytes({3, 1}))},
        {"CMD56 short page", request(101, 56, bytes({0, 1}) + QByteArray(127, '\0'))},
        {"CMD60 table 9", request(101, 60, bytes({9, 1}))},
        {"CMD60 page 12", request(101, 60, bytes({1, 12}))},
        {"CMD61 table 19", request(101, 61, bytes({19}))},
        {"CMD65 short block", request(101, 65, QByteArray(31, '\0'))},
        {"CMD77 month 13", request(101, 77, bytes({0, 0, 0, 1, 13, 12, 0, 0}))},
        {"CMD82 to address 0", request(101, 82, bytes({0}))},
        {"CMD87 page 233", request(101, 87, bytes({233}))},
    };
    const QByteArray before = unit.memory();
    for (const auto& c : cases) EXPECT_FALSE(host.exchange(c.frame, 1500)) << c.name;
    host.sendRaw(":65514B\r\n");  // wrong check byte
    EXPECT_TRUE(host.listen(1500).isEmpty());
    EXPECT_EQ(unit.memory(), before);
    EXPECT_EQ(unit.address(), 101);
}

TEST_F(UnitCommands, TheVersionRecordCarriesDateVersionIdentifierAndText) {
    unit.firmware().date = {5, 3, 12};
    unit.firmware().identifier = "ABC-DEF-GHI-JKL-MNO";
    unit.firmware().identification = QStringLiteral("Тест");
    const QByteArray d = host.ask(request(101, 81)).data;
    EXPECT_EQ(d.left(4), bytes({5, 3, 12, 60}));
    EXPECT_EQ(d.mid(4, 19), QByteArray("ABC-DEF-GHI-JKL-MNO"));
    EXPECT_EQ(byteAt(d, 27), 4);
    EXPECT_EQ(d.mid(28), bytes({0xD2, 0xE5, 0xF1, 0xF2}));  // Windows-1251

    unit.firmware().identifier = "SHORT";
    unit.firmware().version = 59;
    const QByteArray e = host.ask(request(101, 81)).data;
    EXPECT_EQ(byteAt(e, 3), 59);
    EXPECT_EQ(e.mid(4, 19), QByteArray("SHORT") + QByteArray(14, '\0'));
}

TEST_F(UnitCommands, TheClockIsSetAndRunsOn) {
    EXPECT_EQ(host.ask(request(101, 78)).data,
              bytes({9, 7, 14, 5, 3, 12}));  // the installation's start
    host.ask(request(101, 77, bytes({59, 59, 23, 31, 12, 99, 0, 0})));
    EXPECT_EQ(host.ask(request(101, 78)).data, bytes({59, 59, 23, 31, 12, 99}));
    host.listen(2000);
    EXPECT_EQ(host.ask(request(101, 78)).data, bytes({1, 0, 0, 1, 1, 100}));
}

TEST_F(UnitCommands, AResetAnswersAndThenLeavesTheUnitDeafForAMoment) {
    host.ask(request(101, 72));
    EXPECT_FALSE(host.exchange(request(101, 50), 500));
    host.listen(Unit::kRestartMs);
    EXPECT_EQ(host.ask(request(101, 50)).data, bytes({0xFF}));
}

TEST_F(UnitCommands, TheWholeImageSignatureTakesItsTime) {
    host.send(request(101, 88));
    EXPECT_TRUE(host.lines(Unit::kWholeSignatureMs - 10).empty());
    EXPECT_EQ(host.lines(100).size(), 1u);
}
