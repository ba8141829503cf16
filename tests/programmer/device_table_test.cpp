#include "programmer/link/device_table.h"
#include "programmer/link/programmer_types.h"

#include <gtest/gtest.h>

#include <QSet>
#include <QString>

#include <map>

using namespace burnet;

namespace {

std::span<const DeviceRow> rows() { return DeviceTable().first(kDeviceRows); }

bool isBootVariant(const DeviceRow& r) { return QString::fromLatin1(r.name).endsWith(QLatin1String(" BOOT")); }

template <typename Pred>
int countRows(Pred pred) {
    int n = 0;
    for (const DeviceRow& r : rows()) n += pred(r) ? 1 : 0;
    return n;
}

template <typename Key, typename Column>
std::map<Key, int> histogram(Column column) {
    std::map<Key, int> counts;
    for (const DeviceRow& r : rows()) ++counts[column(r)];
    return counts;
}

std::vector<QString> names(const std::vector<const DeviceRow*>& list) {
    std::vector<QString> out;
    for (const DeviceRow* r : list) out.push_back(QString::fromLatin1(r->name));
    return out;
}

bool contains(const std::vector<QString>& list, const char* name) {
    return std::find(list.begin(), list.end(), QLatin1String(name)) != list.end();
}

}  // namespace

TEST(DeviceTable, HoldsFortyFourRowsAndAnEmptyEndRow) {
    ASSERT_EQ(DeviceTable().size(), kDeviceRows + 1);
    for (const DeviceRow& r : rows()) EXPECT_FALSE(r.isEnd());
    const DeviceRow& end = DeviceTable().back();
    EXPECT_TRUE(end.isEnd());
    EXPECT_EQ(end.deviceCode, 0u);
    EXPECT_EQ(end.flashSize, 0u);
    EXPECT_EQ(end.eepromSize, 0u);
}

TEST(DeviceTable, NamesAndCodesIdentifyOneRowEach) {
    QSet<QString> seenNames;
    QSet<std::uint32_t> seenCodes;
    for (const DeviceRow& r : rows()) {
        EXPECT_FALSE(QString::fromLatin1(r.name).isEmpty());
        EXPECT_FALSE(seenNames.contains(QString::fromLatin1(r.name))) << r.name;
        EXPECT_FALSE(seenCodes.contains(r.deviceCode)) << r.name;
        EXPECT_LE(r.deviceCode, 0xFFu) << r.name;
        seenNames.insert(QString::fromLatin1(r.name));
        seenCodes.insert(r.deviceCode);
    }
}

TEST(DeviceTable, SizesStayWithinTheirRanges) {
    for (const DeviceRow& r : rows()) {
        SCOPED_TRACE(r.name);
        EXPECT_GE(r.flashSize, 1024u);
        EXPECT_LE(r.flashSize, 128u * 1024u);
        EXPECT_LE(r.eepromSize, 4096u);
        EXPECT_TRUE(r.pageSize == 0 || r.pageSize == 32 || r.pageSize == 64 || r.pageSize == 128 ||
                    r.pageSize == 256);
        EXPECT_LE(r.paramWord2, 0xFFFFu);
        EXPECT_LE(r.paramBytes, 0xFFFFFFu);
    }
}

TEST(DeviceTable, FourByteAddressedRowsHaveNoPages) {
    EXPECT_EQ(countRows([](const DeviceRow& r) { return !r.wordAddressed; }), 4);
    for (const DeviceRow& r : rows())
        if (!r.wordAddressed) {
            EXPECT_EQ(r.pageSize, 0u) << r.name;
        }
}

TEST(DeviceTable, EightBootLoaderVariantsFollowTheirBaseRows) {
    EXPECT_EQ(countRows(isBootVariant), 8);
    int readByRr1 = 0, calibrationNone = 0;
    for (const DeviceRow& r : rows()) {
        if (!isBootVariant(r)) continue;
        SCOPED_TRACE(r.name);
        EXPECT_EQ(QByteArray(r.accessLetters, 3), QByteArray("PBB"));
        EXPECT_EQ(r.minParamVersion, 0xFF);
        EXPECT_EQ(r.programmerMask, kSerialProgrammer);
        const QString baseName = QString::fromLatin1(r.name).chopped(5);
        const DeviceRow& base = FindRowByName(baseName);
        ASSERT_FALSE(base.isEnd());
        EXPECT_FALSE(isBootVariant(base));
        EXPECT_EQ(r.fuseLayout, base.fuseLayout);
        EXPECT_EQ(r.lockLayout, base.lockLayout);
        EXPECT_EQ(r.flashSize, base.flashSize);
        EXPECT_EQ(r.eepromSize, base.eepromSize);
        EXPECT_TRUE(r.readRoute == ReadRoute::RR5 || r.readRoute == ReadRoute::RR7 || r.readRoute == ReadRoute::RR1);
        readByRr1 += r.readRoute == ReadRoute::RR1;
        EXPECT_TRUE(r.calibration == Calibration::NotSupported || r.calibration == Calibration::None);
        calibrationNone += r.calibration == Calibration::None;
    }
    EXPECT_EQ(readByRr1, 2);
    EXPECT_EQ(calibrationNone, 1);
}

TEST(DeviceTable, OnlyBootLoaderVariantsHaveABootSizeRule) {
    const auto rules = histogram<BootSizeRule>([](const DeviceRow& r) { return r.bootSizeRule; });
    EXPECT_EQ(rules, (std::map<BootSizeRule, int>{{BootSizeRule::None, 36},
                                                  {BootSizeRule::FuseHighMax1024, 5},
                                                  {BootSizeRule::FuseHighMax2048, 1},
                                                  {BootSizeRule::FuseHighMax4096, 1},
                                                  {BootSizeRule::Fixed512, 1}}));
    for (const DeviceRow& r : rows()) EXPECT_EQ(isBootVariant(r), r.bootSizeRule != BootSizeRule::None) << r.name;
}

TEST(DeviceTable, WholePagesOnlyForFourBootVariantsThatComposeNoFuses) {
    EXPECT_EQ(countRows([](const DeviceRow& r) { return r.writeWholePages; }), 4);
    for (const DeviceRow& r : rows()) {
        if (!r.writeWholePages) continue;
        EXPECT_TRUE(isBootVariant(r)) << r.name;
        EXPECT_FALSE(r.encodesFuses) << r.name;
        EXPECT_GT(r.pageSize, 0u) << r.name;
    }
}

TEST(DeviceTable, OneRowLeavesAfterEraseAndOneBootVariantSkipsTheLockWrite) {
    EXPECT_EQ(countRows([](const DeviceRow& r) { return r.leaveAfterErase; }), 1);
    EXPECT_EQ(countRows([](const DeviceRow& r) { return !r.lockAfterEnciphered; }), 1);
    for (const DeviceRow& r : rows())
        if (!r.lockAfterEnciphered) {
            EXPECT_TRUE(isBootVariant(r)) << r.name;
        }
}

TEST(DeviceTable, BehaviourColumnsHaveTheirRowCounts) {
    using FL = FuseLayout;
    EXPECT_EQ(histogram<FL>([](const DeviceRow& r) { return r.fuseLayout; }),
              (std::map<FL, int>{{FL::A, 2}, {FL::B, 1}, {FL::C, 6}, {FL::D, 1}, {FL::E, 2}, {FL::F, 2}, {FL::G, 2},
                                 {FL::H, 1}, {FL::I, 1}, {FL::J, 2}, {FL::K, 1}, {FL::L, 2}, {FL::M, 4}, {FL::N, 1},
                                 {FL::O, 2}, {FL::P, 2}, {FL::Q, 2}, {FL::R, 2}, {FL::S, 2}, {FL::None, 6}}));
    using LL = LockLayout;
    EXPECT_EQ(histogram<LL>([](const DeviceRow& r) { return r.lockLayout; }),
              (std::map<LL, int>{{LL::LA, 2}, {LL::LB, 9}, {LL::LC, 10}, {LL::LD, 2}, {LL::LE, 16}, {LL::LF, 1},
                                 {LL::None, 4}}));
    using RR = ReadRoute;
    EXPECT_EQ(histogram<RR>([](const DeviceRow& r) { return r.readRoute; }),
              (std::map<RR, int>{{RR::RR1, 14}, {RR::RR2, 4}, {RR::RR3, 7}, {RR::RR4, 7}, {RR::RR5, 5}, {RR::RR6, 1},
                                 {RR::RR7, 1}, {RR::RR8, 5}}));
    EXPECT_EQ(histogram<Calibration>([](const DeviceRow& r) { return r.calibration; }),
              (std::map<Calibration, int>{
                  {Calibration::Readable, 12}, {Calibration::NotSupported, 7}, {Calibration::None, 25}}));
    EXPECT_EQ(histogram<FuseLowWrite>([](const DeviceRow& r) { return r.fuseLowWrite; }),
              (std::map<FuseLowWrite, int>{
                  {FuseLowWrite::Long, 11}, {FuseLowWrite::ShortThenLeave, 1}, {FuseLowWrite::Short, 32}}));
    EXPECT_EQ(countRows([](const DeviceRow& r) { return r.writesFuseHigh; }), 8);
    EXPECT_EQ(countRows([](const DeviceRow& r) { return r.lockByInstruction; }), 8);
    EXPECT_EQ(countRows([](const DeviceRow& r) { return r.writesExtFuse; }), 1);
}

// The lock byte of layouts LA and LB is the single byte these routes fetch.
TEST(DeviceTable, SingleByteLockLayoutsUseSingleByteRoutes) {
    for (const DeviceRow& r : rows()) {
        if (r.lockLayout == LockLayout::LA) {
            EXPECT_EQ(r.readRoute, ReadRoute::RR1) << r.name;
        }
        if (r.lockLayout == LockLayout::LB) {
            EXPECT_TRUE(r.readRoute == ReadRoute::RR1 || r.readRoute == ReadRoute::RR2) << r.name;
        }
    }
}

// The short fuse instruction carries fuse low bits 4-0 in its second byte, as only the AT90S
// parts of layouts D, E and F take them; another part would take the zero fourth byte as its
// fuse byte. The long lock instruction carries the byte in its fourth byte, which the ATtiny
// parts of lock layout LD do not read.
TEST(DeviceTable, SerialWritesUseTheInstructionsThePartsTake) {
    for (const DeviceRow& r : rows()) {
        const char fuseLetter = r.accessLetters[0];
        const bool serialWritesFuses = r.encodesFuses && (fuseLetter == 'B' || fuseLetter == 'S');
        if (serialWritesFuses && r.fuseLowWrite != FuseLowWrite::Long) {
            EXPECT_TRUE(r.fuseLayout == FuseLayout::D || r.fuseLayout == FuseLayout::E || r.fuseLayout == FuseLayout::F)
                << r.name;
            EXPECT_FALSE(r.writesFuseHigh) << r.name;
        }
        if (r.lockByInstruction) {
            EXPECT_NE(r.lockLayout, LockLayout::LD) << r.name;
        }
    }
}

TEST(DeviceTable, FindRowByCodeGivesTheRowOrNothing) {
    const DeviceRow* m16 = FindRowByCode(0x74);
    ASSERT_NE(m16, nullptr);
    EXPECT_STREQ(m16->name, "ATmega16");
    EXPECT_EQ(m16->flashSize, 16384u);
    EXPECT_EQ(m16->pageSize, 128u);
    // A code the programmer may list but that no row has is skipped by the device list.
    EXPECT_EQ(FindRowByCode(0x99), nullptr);
    EXPECT_EQ(FindRowByCode(0x00), nullptr);
}

TEST(DeviceTable, FindRowByNameIsExactAndFallsBackToTheEndRow) {
    EXPECT_EQ(FindRowByName(QStringLiteral("ATmega16 BOOT")).deviceCode, 0x75u);
    for (const char* miss : {"atmega16", "ATmega16 ", "", "ATmega1"}) {
        const DeviceRow& r = FindRowByName(QString::fromLatin1(miss));
        EXPECT_TRUE(r.isEnd()) << miss;
        EXPECT_EQ(r.deviceCode, 0u);
        EXPECT_EQ(r.flashSize, 0u);
        EXPECT_EQ(r.eepromSize, 0u);
    }
}

TEST(DeviceTable, RowsForProgrammerFollowVersionAndMask) {
    const auto serialV0 = names(RowsForProgrammer(0, kSerialProgrammer));
    EXPECT_EQ(static_cast<int>(serialV0.size()),
              countRows([](const DeviceRow& r) { return r.minParamVersion == 0 && (r.programmerMask & kSerialProgrammer); }));
    EXPECT_TRUE(contains(serialV0, "AT90S2313"));
    EXPECT_FALSE(contains(serialV0, "ATmega16"));   // needs version 1
    EXPECT_FALSE(contains(serialV0, "ATtiny11"));   // parallel only
    EXPECT_FALSE(contains(serialV0, "ATmega16 BOOT"));

    const auto serialV4 = names(RowsForProgrammer(4, kSerialProgrammer));
    EXPECT_TRUE(contains(serialV4, "ATmega16"));
    EXPECT_TRUE(contains(serialV4, "ATmega169"));
    for (const QString& n : serialV4) EXPECT_FALSE(n.endsWith(QLatin1String(" BOOT"))) << qPrintable(n);

    const auto parallelV4 = names(RowsForProgrammer(4, kParallelProgrammer));
    EXPECT_TRUE(contains(parallelV4, "ATtiny11"));
    EXPECT_FALSE(contains(parallelV4, "ATmega16 BOOT"));

    EXPECT_EQ(RowsForProgrammer(0xFF, kSerialProgrammer | kParallelProgrammer).size(), kDeviceRows);
    EXPECT_TRUE(RowsForProgrammer(0xFF, 0).empty());
}

TEST(DeviceTable, RowsForProgrammerKeepTableOrder) {
    const auto list = RowsForProgrammer(0xFF, kSerialProgrammer | kParallelProgrammer);
    for (std::size_t i = 0; i < list.size(); ++i) EXPECT_EQ(list[i], &DeviceTable()[i]);
}

TEST(ProgrammerTypes, SixTypesThenTheEndRow) {
    const auto table = ProgrammerTypeTable();
    ASSERT_EQ(table.size(), kProgrammerTypeRows + 1);
    struct Expected {
        const char* name;
        char letter;
        std::uint8_t mask;
    };
    const Expected expected[] = {
        {"Parallel", 'P', 0x01},
        {"SPI serial", 'S', 0x02},
        {"SPI, Target F >0.1MHz", 'T', 0x02},
        {"SPI, Target F >0.2MHz", 'U', 0x02},
        {"SPI, Target F >0.9MHz", 'V', 0x02},
        {"SPI, Target F >3,6MHz", 'W', 0x02},
    };
    for (std::size_t i = 0; i < kProgrammerTypeRows; ++i) {
        EXPECT_STREQ(table[i].name, expected[i].name);
        EXPECT_EQ(table[i].letter, expected[i].letter);
        EXPECT_EQ(table[i].mask, expected[i].mask);
    }
    EXPECT_TRUE(table.back().isEnd());
}

TEST(ProgrammerTypes, LettersAreLookedUpInTheOrderReported) {
    const auto found = FindProgrammerTypes("SP?");
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0]->letter, 'S');
    EXPECT_EQ(found[1]->letter, 'P');
    EXPECT_TRUE(FindProgrammerTypes("XYZ").empty());
    EXPECT_EQ(FindProgrammerTypes("TT").size(), 2u);
}

TEST(ProgrammerTypes, ByNameComparesTheFirstTwentyFiveCharacters) {
    const ProgrammerTypeRow* t = FindProgrammerTypeByName(QStringLiteral("SPI, Target F >0.9MHz"));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->letter, 'V');
    EXPECT_EQ(FindProgrammerTypeByName(QStringLiteral("SPI")), nullptr);
    EXPECT_EQ(FindProgrammerTypeByName(QStringLiteral("spi serial")), nullptr);
    EXPECT_EQ(FindProgrammerTypeByName(QString()), nullptr);
}
