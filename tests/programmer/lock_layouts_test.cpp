// Lock layouts LA..LF: the lock byte read and written, the modes and their explanations.
#include "programmer/app/lock_layouts.h"

#include <gtest/gtest.h>

using namespace burnet;
using LL = LockLayout;

namespace {

const char* nameOf(LL layout) {
    static const char* const names[] = {"None", "LA", "LB", "LC", "LD", "LE", "LF"};
    return names[static_cast<int>(layout)];
}

constexpr std::optional<int> kKeep = std::nullopt;

LockReading mode(std::optional<int> m) {
    LockReading r;
    r.mode = m;
    return r;
}

}  // namespace

TEST(LockLayouts, ReadingTheLockByte) {
    struct Case {
        LL layout;
        std::uint8_t lock;
        LockReading reading;
    };
    const Case cases[] = {
        // LA and LB look at bits 7-6 of the single byte their read route fetches.
        {LL::LA, 0x3F, mode(0)},  {LL::LA, 0xBF, mode(1)},  {LL::LA, 0xFF, mode(2)},  {LL::LA, 0x7F, mode(kKeep)},
        {LL::LB, 0xFF, mode(0)},  {LL::LB, 0x7F, mode(1)},  {LL::LB, 0x3F, mode(2)},  {LL::LB, 0xBF, mode(kKeep)},
        {LL::LC, 0xFF, mode(0)},  {LL::LC, 0xFD, mode(1)},  {LL::LC, 0xF9, mode(2)},  {LL::LC, 0xFB, mode(kKeep)},
        {LL::LC, 0x06, mode(0)},
        {LL::LD, 0xFF, mode(0)},  {LL::LD, 0xFE, mode(1)},  {LL::LD, 0xFC, mode(2)},  {LL::LD, 0xFD, mode(kKeep)},
        {LL::LE, 0xFF, {0, 0, 0}},
        {LL::LE, 0xF2, {1, 2, 0}},
        {LL::LE, 0xE9, {kKeep, 1, 1}},
        {LL::LE, 0xC0, {2, 2, 2}},
        {LL::LE, 0xE5, {kKeep, 3, 1}},
        {LL::LE, 0xDC, {2, 0, 3}},
        {LL::LF, 0x00, LockReading{}},
        {LL::None, 0x00, LockReading{}},
    };
    for (const Case& c : cases) EXPECT_EQ(DecodeLock(c.layout, c.lock), c.reading) << nameOf(c.layout) << " " << int(c.lock);
}

TEST(LockLayouts, WritingTheLockByte) {
    struct Case {
        LL layout;
        LockControls controls;
        std::uint8_t lock;
    };
    const Case cases[] = {
        {LL::LA, {0}, 0xFF},          {LL::LA, {1}, 0x7F},          {LL::LA, {2}, 0x3F},
        {LL::LB, {0}, 0xFF},          {LL::LB, {1}, 0xFD},          {LL::LB, {2}, 0xF9},
        {LL::LC, {0}, 0xFF},          {LL::LC, {1}, 0xFD},          {LL::LC, {2}, 0xF9},
        {LL::LD, {0}, 0xFF},          {LL::LD, {1}, 0xFE},          {LL::LD, {2}, 0xFC},
        {LL::LE, {0, 0, 0}, 0xFF},    {LL::LE, {1, 2, 0}, 0xF2},    {LL::LE, {0, 1, 0}, 0xFB},
        {LL::LE, {0, 3, 0}, 0xF7},    {LL::LE, {0, 0, 1}, 0xEF},    {LL::LE, {0, 0, 2}, 0xCF},
        {LL::LE, {0, 0, 3}, 0xDF},    {LL::LE, {2, 2, 2}, 0xC0},
        {LL::LF, {0}, 0xFF},          {LL::LF, {1}, 0x70},          {LL::LF, {2}, 0x30},
        {LL::LF, {3}, 0x10},
        {LL::None, {0}, 0xFF},        {LL::None, {2}, 0xFF},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeLock(c.layout, c.controls), c.lock)
            << nameOf(c.layout) << " mode " << c.controls.mode << " BLB0 " << c.controls.blb0 << " BLB1 " << c.controls.blb1;
    }
}

// In the layouts that read the byte they write, every choice reads back as chosen.
TEST(LockLayouts, WhatIsWrittenReadsBackAsChosen) {
    for (LL layout : {LL::LC, LL::LD}) {
        for (int mode = 0; mode < 3; ++mode) {
            const LockReading back = DecodeLock(layout, EncodeLock(layout, {mode}));
            EXPECT_EQ(back.mode, mode) << nameOf(layout);
        }
    }
    for (int mode = 0; mode < 3; ++mode)
        for (int blb0 = 0; blb0 < 4; ++blb0)
            for (int blb1 = 0; blb1 < 4; ++blb1) {
                const LockReading back = DecodeLock(LL::LE, EncodeLock(LL::LE, {mode, blb0, blb1}));
                EXPECT_EQ(back, (LockReading{mode, blb0, blb1})) << mode << blb0 << blb1;
            }
}

TEST(LockLayouts, NothingProgrammedReadsAsModeOne) {
    for (LL layout : {LL::LA, LL::LB, LL::LC, LL::LD, LL::LE})
        EXPECT_EQ(DecodeLock(layout, UnprogrammedLockRead(layout)).mode, 0) << nameOf(layout);
}

TEST(LockLayouts, ModesAndTheirExplanations) {
    EXPECT_EQ(LockModeEntries(LL::LE), (QStringList{"方式 1", "方式 2", "方式 3"}));
    EXPECT_EQ(LockModeEntries(LL::None), (QStringList{"方式 1", "方式 2", "方式 3"}));
    EXPECT_EQ(LockModeEntries(LL::LF), (QStringList{"方式 1", "方式 2", "方式 3", "方式 4"}));

    EXPECT_EQ(LockModeExplanation(LL::LC, 0), QStringLiteral("没有程序加密            "));
    EXPECT_EQ(LockModeExplanation(LL::None, 1), QStringLiteral("加密效果:禁止 Flash 编程  "));
    EXPECT_EQ(LockModeExplanation(LL::LE, 2), QStringLiteral("加密效果:禁止校验和编程        "));
    EXPECT_EQ(LockModeExplanation(LL::LF, 0), QStringLiteral("No internal memory lock features"));
    EXPECT_EQ(LockModeExplanation(LL::LF, 1), QStringLiteral("No external MOVC. Flash prog disabled"));
    EXPECT_EQ(LockModeExplanation(LL::LF, 2), QStringLiteral("Same as mode 2 and verify disabled"));
    EXPECT_EQ(LockModeExplanation(LL::LF, 3), QStringLiteral("Same as mode 3 and external exec. disabled"));

    EXPECT_EQ(BootLockEntries(BootSection::Application),
              (QStringList{"BLB0 Mode 1", "BLB0 Mode 2", "BLB0 Mode 3", "BLB0 Mode 4"}));
    EXPECT_EQ(BootLockEntries(BootSection::BootLoader),
              (QStringList{"BLB1 Mode 1", "BLB1 Mode 2", "BLB1 Mode 3", "BLB1 Mode 4"}));
    const QStringList application{"No lock Application section", "No SPM Application section",
                                  "No LPM, No SPM Application section", "No LPM Application section"};
    const QStringList bootLoader{"No lock Boot Loader section", "No SPM Boot Loader section",
                                 "No LPM, No SPM Boot Loader section", "No LPM Boot Loader section"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(BootLockExplanation(BootSection::Application, i), application[i]);
        EXPECT_EQ(BootLockExplanation(BootSection::BootLoader, i), bootLoader[i]);
    }
    EXPECT_TRUE(HasBootLocks(LL::LE));
    EXPECT_FALSE(HasBootLocks(LL::LC));
}

TEST(LockLayouts, ModesTwoAndThreeBarFuseChangesExceptInLF) {
    for (LL layout : {LL::LA, LL::LB, LL::LC, LL::LD, LL::LE}) {
        EXPECT_FALSE(LockModeBarsFuses(layout, 0)) << nameOf(layout);
        EXPECT_TRUE(LockModeBarsFuses(layout, 1)) << nameOf(layout);
        EXPECT_TRUE(LockModeBarsFuses(layout, 2)) << nameOf(layout);
    }
    for (int mode = 0; mode < 4; ++mode) EXPECT_FALSE(LockModeBarsFuses(LL::LF, mode));
    // Without a lock layout the byte written is 0xFF whatever the mode.
    EXPECT_FALSE(LockModeBarsFuses(LL::None, 1));
}
