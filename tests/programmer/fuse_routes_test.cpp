// Who may read and write fuse and lock bits, the commands that do it, and the sequences run
// against isp-sim.
#include "support/isp_bench.h"

#include "programmer/app/fuse_access.h"
#include "programmer/app/fuse_routes.h"
#include "programmer/app/fuse_sequences.h"

#include <gtest/gtest.h>

using namespace burnet;
using burnettest::Bench;
using RR = ReadRoute;
using Op = TargetStep::Op;

namespace {

QString hexByte(std::uint8_t b) { return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper(); }

// A step as isp-sim logs the command it becomes.
QString text(const TargetStep& s) {
    const auto& b = s.bytes;
    switch (s.op) {
        case Op::ReadFuse: return QStringLiteral("F");
        case Op::ReadFuseHigh: return QStringLiteral("N");
        case Op::ReadExtFuse: return QStringLiteral("Q");
        case Op::ReadLock: return QStringLiteral("r");
        case Op::WriteFuse: return QStringLiteral("f ") + hexByte(b[0]);
        case Op::WriteFuseHigh: return QStringLiteral("n ") + hexByte(b[0]);
        case Op::WriteExtFuse: return QStringLiteral("q ") + hexByte(b[0]);
        case Op::WriteLock: return QStringLiteral("l ") + hexByte(b[0]);
        case Op::Instruction3: return QStringLiteral(": %1 %2 %3").arg(hexByte(b[0]), hexByte(b[1]), hexByte(b[2]));
        case Op::Instruction4:
            return QStringLiteral(". %1 %2 %3 %4").arg(hexByte(b[0]), hexByte(b[1]), hexByte(b[2]), hexByte(b[3]));
        case Op::Leave: return QStringLiteral("L");
    }
    return {};
}

QStringList texts(const std::vector<TargetStep>& plan) {
    QStringList out;
    for (const TargetStep& s : plan) out << text(s);
    return out;
}

std::vector<std::uint8_t> fills(const std::vector<TargetStep>& plan) {
    std::vector<std::uint8_t> out;
    for (const TargetStep& s : plan) out.push_back(s.fills);
    return out;
}

constexpr FuseAccess kFree{false, false, true};

const DeviceRow& deviceRow(const char* name) { return burnettest::row(name); }

}  // namespace

TEST(FuseAccess, LettersAdmitTheirProgrammerTypes) {
    struct Case {
        char letter;
        char type;
        bool admits;
    };
    const Case cases[] = {
        {'B', 'S', true},  {'B', 'P', true},   {'B', '\0', true}, {'P', 'P', true},   {'P', 'S', false},
        {'S', 'S', true},  {'S', 'P', false},  {'0', 'S', false}, {'0', '0', false},  {'\0', 'P', false},
        // A programmer that did not say its type matches no row's NUL letter.
        {'\0', '\0', false},
    };
    for (const Case& c : cases) EXPECT_EQ(LetterAdmits(c.letter, c.type), c.admits) << int(c.letter) << " " << int(c.type);
}

TEST(FuseAccess, RowsAndProgrammerTypes) {
    struct Case {
        const char* row;
        char type;
        FuseAccess access;
    };
    const Case cases[] = {
        {"ATmega16", 'S', {false, false, true}},
        {"AT90S8515", 'S', {true, false, false}},  // "PBP"
        {"AT90S8515", 'P', {false, false, true}},
        {"ATmega16 BOOT", 'S', {true, false, true}},  // a boot loader never writes fuses
        {"ATtiny11", 'S', {true, true, false}},
        {"AT89C2051", 'P', {true, false, true}},
        {"ATmega169", 'P', {true, false, true}},
    };
    for (const Case& c : cases) EXPECT_EQ(AccessFor(deviceRow(c.row), c.type), c.access) << c.row << " " << c.type;
}

TEST(ReadRoutes, EveryRouteForSerialAndOtherProgrammers) {
    struct Case {
        RR route;
        char type;
        std::uint8_t version;
        QStringList commands;
        std::vector<std::uint8_t> fills;
    };
    const std::uint8_t lowLock = kSlotLow | kSlotLock;
    const Case cases[] = {
        {RR::RR1, 'S', 0, {"F"}, {lowLock}},
        {RR::RR1, 'S', 2, {"r"}, {lowLock}},
        {RR::RR1, 'P', 1, {"r"}, {lowLock}},
        {RR::RR2, 'S', 0, {": 58 00 00"}, {lowLock}},
        {RR::RR2, 'P', 0, {"F"}, {lowLock}},
        {RR::RR2, 'P', 3, {"r"}, {lowLock}},
        {RR::RR3, 'S', 0, {": 58 00 00", ": 50 00 00"}, {kSlotLock, kSlotLow}},
        {RR::RR3, 'P', 0, {"r", "F"}, {kSlotLock, kSlotLow}},
        {RR::RR4, 'S', 1, {": 58 00 00", ": 50 00 00", ": 58 08 00"}, {kSlotLock, kSlotLow, kSlotHigh}},
        {RR::RR4, 'P', 1, {"r", "F", "N"}, {kSlotLock, kSlotLow, kSlotHigh}},
        {RR::RR5, 'S', 0, {"r", "F", "N"}, {kSlotLock, kSlotLow, kSlotHigh}},
        {RR::RR5, 'P', 0, {"r", "F", "N"}, {kSlotLock, kSlotLow, kSlotHigh}},
        {RR::RR6, 'S', 0, {": 58 00 00", ": 50 00 00", ": 58 08 00", ": 50 08 00"},
         {kSlotLock, kSlotLow, kSlotHigh, kSlotExt}},
        {RR::RR6, 'P', 0, {"r", "F", "N", "Q"}, {kSlotLock, kSlotLow, kSlotHigh, kSlotExt}},
        {RR::RR7, 'S', 0, {"r", "F", "N", "Q"}, {kSlotLock, kSlotLow, kSlotHigh, kSlotExt}},
        {RR::RR7, 'P', 0, {"r", "F", "N", "Q"}, {kSlotLock, kSlotLow, kSlotHigh, kSlotExt}},
        {RR::RR8, 'S', 0, {"r", "F"}, {kSlotLock, kSlotLow}},
        {RR::RR8, 'P', 0, {"r", "F"}, {kSlotLock, kSlotLow}},
        // Any type but S counts as "other".
        {RR::RR4, '\0', 0, {"r", "F", "N"}, {kSlotLock, kSlotLow, kSlotHigh}},
    };
    for (const Case& c : cases) {
        const auto plan = ReadPlan(c.route, c.type, c.version);
        SCOPED_TRACE(testing::Message() << "RR" << static_cast<int>(c.route) << " type " << c.type << " version "
                                        << int(c.version));
        EXPECT_EQ(texts(plan), c.commands);
        EXPECT_EQ(fills(plan), c.fills);
    }
}

TEST(WriteRoutes, FuseAndLockWritesByRowAndProgrammerType) {
    struct Case {
        const char* row;
        char type;
        FuseBytes fuses;
        std::uint8_t lock;
        QStringList commands;
    };
    const Case cases[] = {
        {"ATmega16", 'S', {0xE4, 0x99}, 0xFC, {". AC A0 00 E4", ". AC A8 00 99", ". AC E0 00 FC"}},
        {"ATmega128", 'S', {0xE1, 0x99, 0xFD}, 0xFF,
         {". AC A0 00 E1", ". AC A8 00 99", ". AC A4 00 FD", ". AC E0 00 FF"}},
        {"ATmega16", 'P', {0xE4, 0x99}, 0xFC, {"f E4", "n 99", "l FC"}},
        {"ATmega128", 'P', {0xE1, 0x99, 0xFD}, 0xFE, {"f E1", "n 99", "q FD", "l FE"}},
        // The short instruction carries fuse low bits 4-0 in its second byte.
        {"AT90S2333", 'S', {0xDA}, 0xFD, {": AC BA 00", "l FD"}},
        {"AT90S2333", 'S', {0xFF}, 0xFF, {": AC BF 00", "l FF"}},
        {"AT90S4433", 'S', {0xC5}, 0xF9, {": AC A5 00", "L", "l F9"}},
        {"AT90S4433", 'P', {0xC5}, 0xF9, {"f C5", "l F9"}},
        // A fuse-write letter P with a serial programmer: only the lock byte.
        {"AT90S8515", 'S', {0xDE}, 0xFD, {"l FD"}},
        {"AT90S8515", 'P', {0xDE}, 0xFD, {"f DE", "l FD"}},
        {"ATmega16 BOOT", 'S', {0xE4, 0x99}, 0xF3, {"l F3"}},
        // A row that composes no fuse bytes writes none, even where its letter admits it.
        {"ATmega8515 BOOT", 'P', {}, 0xFF, {"l FF"}},
    };
    for (const Case& c : cases) {
        const DeviceRow& row = deviceRow(c.row);
        const auto plan = WritePlan(row, c.type, AccessFor(row, c.type), c.fuses, c.lock);
        EXPECT_EQ(texts(plan), c.commands) << c.row << " " << c.type;
    }
    // A programmer type that may not write the lock bits does not write them.
    const auto plan = WritePlan(deviceRow("ATmega16"), 'S', {false, true, true}, {0xE1, 0x99}, 0xFF);
    EXPECT_EQ(texts(plan), (QStringList{". AC A0 00 E1", ". AC A8 00 99"}));
}

TEST(CalibrationRoutes, BySupportAndProgrammerType) {
    using CS = CalibrationSource;
    EXPECT_EQ(CalibrationSourceFor(Calibration::Readable, 'S'), CS::Instruction);
    EXPECT_EQ(CalibrationSourceFor(Calibration::Readable, 'P'), CS::Command);
    EXPECT_EQ(CalibrationSourceFor(Calibration::Readable, '\0'), CS::Unchanged);
    EXPECT_EQ(CalibrationSourceFor(Calibration::NotSupported, 'S'), CS::NotSupported);
    EXPECT_EQ(CalibrationSourceFor(Calibration::None, 'P'), CS::Empty);
}

TEST(FuseSequences, ReadingFetchesEachByteOnceInProgrammingMode) {
    Bench b("m16");
    ASSERT_TRUE(b.find());
    b.isp.chip().setLock(0xF2);
    const FetchedBytes got = RunReadPlan(b.io, ReadPlan(RR::RR4, 'S', 1));
    EXPECT_EQ(b.sent(), (QStringList{"P", ": 58 00 00", ": 50 00 00", ": 58 08 00"}));
    EXPECT_EQ(got.lock, 0xF2);
    EXPECT_EQ(got.fuses, (FuseBytes{0xE1, 0x99, 0xFF}));
    EXPECT_EQ(got.fetched, kSlotLock | kSlotLow | kSlotHigh);

    Bench p("m128", burnettest::parallelProgrammer());
    ASSERT_TRUE(p.find());
    const FetchedBytes byLetter = RunReadPlan(p.io, ReadPlan(RR::RR7, 'P', 0));
    EXPECT_EQ(p.sent(), (QStringList{"P", "r", "F", "N", "Q"}));
    EXPECT_EQ(byLetter.fuses, (FuseBytes{0xE1, 0x99, 0xFD}));
    EXPECT_TRUE(byLetter.has(kSlotExt));
}

TEST(FuseSequences, AFailedReadLeavesItsBytesUnfetched) {
    Bench b("m16");
    ASSERT_TRUE(b.find());
    b.isp.setTargetPresent(false);
    b.dialogs.clear();
    const FetchedBytes got = RunReadPlan(b.io, ReadPlan(RR::RR3, 'S', 0));
    EXPECT_EQ(got.fetched, 0);
    EXPECT_EQ(got.lock, 0xFF);
    EXPECT_EQ(got.fuses, FuseBytes{});
    // Each read tries to enter programming mode and says so.
    EXPECT_EQ(b.dialogs.texts(), (QStringList{"Can't enter programming mode!", "Can't enter programming mode!"}));

    Bench silent("m16");
    ASSERT_TRUE(silent.find());
    silent.programmerWire->attach(nullptr);
    EXPECT_EQ(RunReadPlan(silent.io, ReadPlan(RR::RR8, 'P', 0)).fetched, 0);
}

TEST(FuseSequences, WritingChangesTheChipAsPlanned) {
    Bench b("m16");
    ASSERT_TRUE(b.find());
    const DeviceRow& row = deviceRow("ATmega16");
    RunWritePlan(b.io, WritePlan(row, 'S', kFree, {0xE4, 0x91}, 0xFE));
    // The long instruction leaves programming mode after itself.
    EXPECT_EQ(b.sent(), (QStringList{"P", ". AC A0 00 E4", "L", "P", ". AC A8 00 91", "L", "P", ". AC E0 00 FE", "L"}));
    EXPECT_EQ(b.isp.chip().fuse(ispsim::Fuse::Low), 0xE4);
    EXPECT_EQ(b.isp.chip().fuse(ispsim::Fuse::High), 0x91);
    EXPECT_EQ(b.isp.chip().lock(), 0xFE);

    // The AT90S4433's short form, then leaving programming mode, then the lock by letter.
    Bench classic("4433");
    ASSERT_TRUE(classic.find());
    RunWritePlan(classic.io, WritePlan(deviceRow("AT90S4433"), 'S', kFree, {0xC5}, 0xF9));
    EXPECT_EQ(classic.sent(), (QStringList{"P", ": AC A5 00", "L", "P", "l F9"}));
    EXPECT_EQ(classic.isp.chip().fuse(ispsim::Fuse::Low), 0xC5);
    EXPECT_EQ(classic.isp.chip().lockMode(), 3);
}

TEST(FuseSequences, WhatTheProgrammerAndTheTargetSayAboutThemselves) {
    Bench b("m16");
    ASSERT_TRUE(b.find());
    EXPECT_EQ(IdentifierText(b.io), QStringLiteral("KES-ISP"));
    EXPECT_EQ(VersionText(b.io), QStringLiteral("1.4"));
    EXPECT_EQ(SignatureText(b.io), QStringLiteral("1E 94 03"));
    EXPECT_EQ(CalibrationText(b.io, CalibrationSource::Instruction), QStringLiteral("0xA8"));
    EXPECT_EQ(b.sent(), (QStringList{"S", "V", "P", "s", ": 38 00 00"}));
    EXPECT_EQ(CalibrationText(b.io, CalibrationSource::Unchanged), std::nullopt);
    EXPECT_EQ(CalibrationText(b.io, CalibrationSource::NotSupported), QStringLiteral("No_support"));
    EXPECT_EQ(CalibrationText(b.io, CalibrationSource::Empty), QString());
    EXPECT_TRUE(b.sent().isEmpty());

    Bench p("m8", burnettest::parallelProgrammer());
    ASSERT_TRUE(p.find());
    EXPECT_EQ(CalibrationText(p.io, CalibrationSource::Command), QStringLiteral("0xA9"));
    // A parallel programmer passes no raw instruction through.
    EXPECT_EQ(CalibrationText(p.io, CalibrationSource::Instruction), QStringLiteral("No_support"));
}

TEST(FuseSequences, FailureTexts) {
    Bench b("m16");
    ASSERT_TRUE(b.find());
    b.programmerWire->attach(nullptr);
    EXPECT_EQ(IdentifierText(b.io), QStringLiteral("?"));
    EXPECT_EQ(VersionText(b.io), QStringLiteral("?.?"));
    EXPECT_EQ(SignatureText(b.io), QStringLiteral("?? ?? ??"));
    EXPECT_EQ(CalibrationText(b.io, CalibrationSource::Command), QStringLiteral("No_support"));
}
