// CAdvancedDlg against isp-sim: what it reads into its controls and what it writes to the chip.
#include "support/burnet_under_test.h"
#include "support/isp_bench.h"

#include "programmer/app/advanceddlg.h"

#include "support/widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

using namespace burnet;
using ispsim::Fuse;
using testsupport::choose;
using testsupport::click;
using testsupport::isShown;

namespace {

// The dialog opened on isp-sim for one device row.
class Advanced {
public:
    explicit Advanced(const char* partId,
                      ispsim::ProgrammerConfig config = ispsim::ProgrammerConfig::inSystemProgrammer())
        : bench(partId, std::move(config)) {
        EXPECT_TRUE(bench.find());
    }

    // Opens the dialog; the chip may be preset before.
    void open(const char* rowName, std::uint8_t paramVersion = 1) {
        dialog = std::make_unique<CAdvancedDlg>(bench.io, burnettest::row(rowName), paramVersion);
        dialog->show();
        testsupport::processEvents();
    }

    // The programmer stops answering.
    void silence() { bench.programmerWire->attach(nullptr); }

    QString shown(const char* name) { return testsupport::shownText(dialog.get(), QString::fromLatin1(name)); }
    bool visible(const char* name) { return isShown(dialog.get(), QString::fromLatin1(name)); }
    bool enabled(const char* name) { return testsupport::find(dialog.get(), QString::fromLatin1(name))->isEnabled(); }
    void press(const char* name) { click(dialog.get(), QString::fromLatin1(name)); }
    void pick(const char* name, const char* entry) { choose(dialog.get(), QString::fromLatin1(name), QString::fromUtf8(entry)); }
    void tick(const char* name) { press(name); }
    QString caption(const char* name) {
        return testsupport::find<QCheckBox>(dialog.get(), QString::fromLatin1(name))->text();
    }
    int entries(const char* name) { return testsupport::find<QComboBox>(dialog.get(), QString::fromLatin1(name))->count(); }

    struct Chip {
        std::uint8_t low, high, ext, lock;
        bool operator==(const Chip&) const = default;
    };
    Chip chip() const {
        const ispsim::TargetChip& c = bench.isp.chip();
        return {c.fuse(Fuse::Low), c.fuse(Fuse::High), c.fuse(Fuse::Extended), c.lock()};
    }

    burnettest::Bench bench;
    std::unique_ptr<CAdvancedDlg> dialog;
};

std::ostream& operator<<(std::ostream& os, const Advanced::Chip& c) {
    char text[48];
    std::snprintf(text, sizeof text, "low %02X high %02X ext %02X lock %02X", c.low, c.high, c.ext, c.lock);
    return os << text;
}

}  // namespace

TEST(AdvancedDialog, OpeningReadsTheChipIntoTheControls) {
    Advanced a("m16");
    a.open("ATmega16");

    EXPECT_EQ(a.dialog->windowTitle(), QStringLiteral("高级选项"));
    EXPECT_EQ(a.bench.sent(), (QStringList{"S", "V", "p", "P", "s", ": 38 00 00", ": 58 00 00", ": 50 00 00",
                                           ": 58 08 00", "L"}));
    EXPECT_EQ(a.shown("1017"), QStringLiteral("KES-ISP"));
    EXPECT_EQ(a.shown("1018"), QStringLiteral("1.4"));
    EXPECT_EQ(a.shown("1016"), QStringLiteral("1E 94 03"));
    EXPECT_EQ(a.shown("1079"), QStringLiteral("0xA8"));

    // ATmega16 as it leaves the factory: fuse low E1, fuse high 99, nothing locked.
    EXPECT_EQ(a.shown("1040"), QStringLiteral("Int RCosc, Frequency 1MHz"));
    EXPECT_EQ(a.shown("1085"), QStringLiteral("Startup: 64ms + 6 CK"));
    EXPECT_EQ(a.shown("1041"), QStringLiteral("No BOD function"));
    EXPECT_EQ(a.shown("1048"), QStringLiteral("Boot block 1024 Words"));
    EXPECT_EQ(a.shown("1042"), QStringLiteral("checked"));
    EXPECT_EQ(a.shown("1046"), QStringLiteral("checked"));
    for (const char* box : {"1043", "1044", "1045"}) EXPECT_EQ(a.shown(box), QStringLiteral("unchecked")) << box;
    EXPECT_EQ(a.caption("1045"), QStringLiteral("&OCD Enable"));
    EXPECT_FALSE(a.visible("1047"));  // no caption for the internal RC oscillator
    EXPECT_FALSE(a.visible("1088"));
    EXPECT_FALSE(a.visible("1089"));
    EXPECT_EQ(a.shown("1007"), QStringLiteral("方式 1"));
    EXPECT_EQ(a.shown("1009"), QStringLiteral("没有程序加密            "));
    EXPECT_EQ(a.shown("1049"), QStringLiteral("BLB0 Mode 1"));
    EXPECT_EQ(a.shown("1050"), QStringLiteral("BLB1 Mode 1"));
    EXPECT_TRUE(a.visible("1049"));
    for (const char* control : {"1010", "1040", "1085", "1024", "1007", "1013", "1014", "1027"})
        EXPECT_TRUE(a.enabled(control)) << control;
}

TEST(AdvancedDialog, AProgrammedChipShowsItsFusesAndLocks) {
    Advanced a("m16");
    // Medium-frequency crystal with start-up 5, BOD at 4.0V, a 512-word boot section, the
    // boxes of fuse high bits 7, 5, 4, 3 and 0; lock mode 2, application section Mode 3.
    a.bench.isp.chip().setFuse(Fuse::Low, 0x1D);
    a.bench.isp.chip().setFuse(Fuse::High, 0x42);
    a.bench.isp.chip().setLock(0xF2);
    a.open("ATmega16");

    EXPECT_EQ(a.shown("1040"), QStringLiteral("Ext XTAL, Medium frequency"));
    EXPECT_EQ(a.entries("1085"), 8);
    EXPECT_EQ(a.shown("1085"), QStringLiteral("Startup: 16K CK"));
    EXPECT_EQ(a.shown("1041"), QStringLiteral("BOD enabled, 4.0V"));
    EXPECT_EQ(a.shown("1048"), QStringLiteral("Boot block 512 Words"));
    for (const char* box : {"1042", "1043", "1044", "1045", "1047"}) EXPECT_EQ(a.shown(box), QStringLiteral("checked")) << box;
    EXPECT_EQ(a.shown("1046"), QStringLiteral("unchecked"));
    EXPECT_TRUE(a.visible("1047"));
    EXPECT_EQ(a.shown("1047"), QStringLiteral("checked"));
    EXPECT_EQ(a.caption("1047"), QStringLiteral("&Full amplitude"));

    EXPECT_EQ(a.shown("1007"), QStringLiteral("方式 2"));
    EXPECT_EQ(a.shown("1009"), QStringLiteral("加密效果:禁止 Flash 编程  "));
    EXPECT_EQ(a.shown("1049"), QStringLiteral("BLB0 Mode 3"));
    EXPECT_EQ(a.shown("1050"), QStringLiteral("BLB1 Mode 1"));
    // A locked chip takes no fuse changes.
    EXPECT_FALSE(a.enabled("1010"));
    EXPECT_FALSE(a.enabled("1040"));
    EXPECT_TRUE(a.enabled("1007"));
    EXPECT_TRUE(a.enabled("1014"));
}

TEST(AdvancedDialog, WriteChangesExactlyTheChosenBits) {
    Advanced a("m16");
    a.open("ATmega16");
    const Advanced::Chip before = a.chip();

    a.tick("1044");  // EESAVE: fuse high bit 3
    a.pick("1041", "BOD enabled, 4.0V");  // fuse low bits 7-6
    a.bench.sent();
    a.press("1014");

    const Advanced::Chip after = a.chip();
    EXPECT_EQ(after, (Advanced::Chip{static_cast<std::uint8_t>(before.low ^ 0xC0),
                                     static_cast<std::uint8_t>(before.high ^ 0x08), before.ext, before.lock}))
        << after;
    EXPECT_EQ(a.bench.sent(), (QStringList{"P", ". AC A0 00 21", "L", "P", ". AC A8 00 91", "L", "P",
                                           ". AC E0 00 FF", "L", "L"}));
    EXPECT_TRUE(a.enabled("1014"));
    EXPECT_TRUE(a.enabled("1010"));

    // Writing again what is shown changes nothing.
    a.press("1014");
    EXPECT_EQ(a.chip(), after) << a.chip();
}

TEST(AdvancedDialog, WriteOnAnAt90sPartChangesOnlyTheChosenBits) {
    Advanced a("4433");
    a.open("AT90S4433", 0);
    EXPECT_EQ(a.shown("1040"), QStringLiteral("Ext XTAL, Startup: 64ms + 16K CK"));
    EXPECT_EQ(a.shown("1041"), QStringLiteral("No BOD function"));
    EXPECT_EQ(a.shown("1042"), QStringLiteral("checked"));
    const Advanced::Chip before = a.chip();

    a.pick("1041", "BOD enabled, 4.0V");
    a.bench.sent();
    a.press("1014");

    EXPECT_EQ(a.chip(), (Advanced::Chip{static_cast<std::uint8_t>(before.low & ~0x18), before.high, before.ext, before.lock}))
        << a.chip();
    EXPECT_EQ(a.bench.sent(), (QStringList{"P", ": AC A2 00", "L", "P", "l FF", "L"}));
}

TEST(AdvancedDialog, LockModeTwoDisablesTheFusesUntilEraseAndReadFindModeOne) {
    Advanced a("m16");
    a.open("ATmega16");

    a.pick("1007", "方式 2");
    EXPECT_EQ(a.shown("1009"), QStringLiteral("加密效果:禁止 Flash 编程  "));
    EXPECT_TRUE(a.enabled("1010"));  // choosing alone changes nothing
    a.press("1014");
    EXPECT_EQ(a.bench.isp.chip().lockMode(), 2);
    EXPECT_EQ(a.chip().lock, 0xFE);
    EXPECT_FALSE(a.enabled("1010"));

    a.press("1013");
    EXPECT_EQ(a.shown("1007"), QStringLiteral("方式 2"));
    EXPECT_FALSE(a.enabled("1010"));

    a.pick("1007", "方式 3");
    EXPECT_EQ(a.shown("1009"), QStringLiteral("加密效果:禁止校验和编程        "));
    a.bench.sent();
    a.press("1027");
    EXPECT_EQ(a.bench.sent(), (QStringList{"P", "e", "s", ": 38 00 00", ": 58 00 00", ": 50 00 00", ": 58 08 00", "L"}));
    EXPECT_EQ(a.chip().lock, 0xFF);
    EXPECT_EQ(a.shown("1007"), QStringLiteral("方式 1"));
    EXPECT_EQ(a.shown("1009"), QStringLiteral("没有程序加密            "));
    EXPECT_TRUE(a.enabled("1010"));
    EXPECT_TRUE(a.enabled("1040"));
    EXPECT_TRUE(a.enabled("1027"));
}

TEST(AdvancedDialog, BootLockModesAndTheirExplanations) {
    Advanced a("m16");
    a.open("ATmega16");

    a.pick("1007", "方式 2");
    a.pick("1049", "BLB0 Mode 3");
    EXPECT_EQ(a.shown("1009"), QStringLiteral("No LPM, No SPM Application section"));
    a.pick("1050", "BLB1 Mode 4");
    EXPECT_EQ(a.shown("1009"), QStringLiteral("No LPM Boot Loader section"));
    a.pick("1050", "BLB1 Mode 1");
    EXPECT_EQ(a.shown("1009"), QStringLiteral("No lock Boot Loader section"));
    a.press("1014");
    EXPECT_EQ(a.chip().lock, 0xF2);
}

TEST(AdvancedDialog, ClockChangeRefillsTheStartupListAndKeepsItsSelection) {
    Advanced a("m16");
    a.open("ATmega16");
    ASSERT_EQ(a.shown("1085"), QStringLiteral("Startup: 64ms + 6 CK"));

    a.pick("1040", "Ext XTAL, High frequency");
    EXPECT_EQ(a.entries("1085"), 8);
    EXPECT_EQ(a.shown("1085"), QStringLiteral("Startup: 1K CK"));
    EXPECT_TRUE(a.visible("1047"));
    EXPECT_EQ(a.caption("1047"), QStringLiteral("&Full amplitude"));

    a.pick("1085", "Startup: 64 ms + 16K CK");
    a.pick("1040", "Ext Clock");
    EXPECT_EQ(a.entries("1085"), 4);
    EXPECT_EQ(a.shown("1085"), QStringLiteral("Startup: 64ms + 6 CK"));  // index 7 AND 3
    EXPECT_EQ(a.caption("1047"), QStringLiteral("&INTCAP"));

    a.pick("1040", "Int RCosc, Frequency 8MHz");
    EXPECT_FALSE(a.visible("1047"));
}

// The virtual part is an ATmega16; the dialog goes by the row, here layout L.
TEST(AdvancedDialog, BodChangeRebuildsTheClockListOfLayoutL) {
    Advanced a("m16");
    a.open("ATmega161", 0);
    // Fuse low E1: BOD enabled (bit 3 = 0), clock index 1.
    EXPECT_EQ(a.shown("1041"), QStringLiteral("BOD enabled"));
    EXPECT_EQ(a.entries("1040"), 16);
    EXPECT_EQ(a.shown("1040"), QStringLiteral("BOD level 4.0V, Startup: 10us + 6 CK"));

    a.pick("1041", "No BOD function");
    EXPECT_EQ(a.shown("1040"), QStringLiteral("Startup: 10us + 6 CK"));
    a.pick("1041", "BOD enabled");
    a.pick("1040", "BOD level 2.7V, Startup: 30us + 6 CK");  // index 9
    a.bench.sent();
    a.press("1014");
    EXPECT_EQ(a.bench.sent(), (QStringList{"P", ". AC A0 00 F1", "L", "P", ". AC E0 00 FF", "L", "L"}));
}

TEST(AdvancedDialog, AParallelOnlyFuseRowWithASerialProgrammerStillWritesTheLock) {
    Advanced a("8515");
    a.open("AT90S8515", 0);
    // Its read letter is P too: only the signature is read.
    EXPECT_EQ(a.bench.sent(), (QStringList{"S", "V", "p", "P", "s", "L"}));
    EXPECT_EQ(a.shown("1016"), QStringLiteral("1E 93 01"));
    EXPECT_FALSE(a.enabled("1013"));
    EXPECT_FALSE(a.enabled("1010"));
    EXPECT_FALSE(a.enabled("1040"));
    EXPECT_FALSE(a.enabled("1042"));
    EXPECT_TRUE(a.enabled("1007"));
    EXPECT_TRUE(a.enabled("1014"));

    a.pick("1007", "方式 2");
    a.press("1014");
    EXPECT_EQ(a.bench.sent(), (QStringList{"P", "l FD", "L"}));
    EXPECT_EQ(a.bench.isp.chip().lockMode(), 2);
}

TEST(AdvancedDialog, APartThisProgrammerCannotTouchHasNoWrite) {
    Advanced a("m16");
    a.open("ATtiny11", 0);
    for (const char* control : {"1013", "1014", "1010", "1024", "1007", "1009"})
        EXPECT_FALSE(a.enabled(control)) << control;
    EXPECT_TRUE(a.enabled("1027"));
    EXPECT_TRUE(a.enabled("8"));
}

TEST(AdvancedDialog, TheBootLoaderReadsButNeverWritesFuses) {
    Advanced a("m16", ispsim::ProgrammerConfig::bootLoaderOf(burnettest::part("m16")));
    a.open("ATmega16 BOOT", 0);
    EXPECT_EQ(a.shown("1079"), QStringLiteral("No_support"));
    EXPECT_EQ(a.shown("1040"), QStringLiteral("Int RCosc, Frequency 1MHz"));
    EXPECT_EQ(a.shown("1046"), QStringLiteral("checked"));
    EXPECT_FALSE(a.enabled("1010"));
    EXPECT_TRUE(a.enabled("1049"));
    // Reading again finds lock mode 1, but the fuses stay out of this programmer's reach.
    a.press("1013");
    EXPECT_EQ(a.shown("1007"), QStringLiteral("方式 1"));
    EXPECT_FALSE(a.enabled("1010"));

    a.pick("1049", "BLB0 Mode 2");
    a.bench.sent();
    a.press("1014");
    EXPECT_EQ(a.bench.sent(), (QStringList{"P", "l FB", "L"}));
    EXPECT_EQ(a.chip().lock, 0xFB);
}

TEST(AdvancedDialog, LockLayoutLFHasAFourthMode) {
    Advanced a("89s52");
    a.open("AT89S53", 0);
    EXPECT_EQ(a.entries("1007"), 4);
    EXPECT_EQ(a.shown("1009"), QStringLiteral("No internal memory lock features"));
    EXPECT_FALSE(a.visible("1049"));
    a.pick("1007", "方式 4");
    EXPECT_EQ(a.shown("1009"), QStringLiteral("Same as mode 3 and external exec. disabled"));
    a.bench.sent();
    a.press("1014");
    EXPECT_EQ(a.bench.sent(), (QStringList{"P", "l 10", "L"}));
    EXPECT_EQ(a.bench.isp.chip().lockMode(), 4);
}

// Layout LA reads its lock bits inverted; a read that failed must not show mode 3.
TEST(AdvancedDialog, AFailedReadShowsNothingLockedWhereTheLayoutReadsInverted) {
    Advanced a("89s52", burnettest::parallelProgrammer());
    a.bench.isp.setTargetPresent(false);
    a.open("AT89C2051", 0);
    EXPECT_TRUE(a.bench.dialogs.wasShown(QStringLiteral("Can't enter programming mode!")));
    EXPECT_EQ(a.shown("1007"), QStringLiteral("方式 1"));
    EXPECT_EQ(a.shown("1009"), QStringLiteral("没有程序加密            "));
}

TEST(AdvancedDialog, ARowWithoutFuseLayoutShowsNoFuseControls) {
    Advanced a("m16");
    a.open("ATmega169", 2);
    for (const char* control : {"1040", "1085", "1041", "1048", "1042", "1043", "1044", "1045", "1046", "1047",
                                "1088", "1089"})
        EXPECT_FALSE(a.visible(control)) << control;
    EXPECT_EQ(a.shown("1040"), QStringLiteral("Not selectable/Supported"));
    EXPECT_EQ(a.shown("1041"), QStringLiteral(" Not selectable/Supported"));
    EXPECT_EQ(a.shown("1048"), QStringLiteral(" Not selectable/Supported"));
}

TEST(AdvancedDialog, FailureTextsWhenTheProgrammerStopsAnswering) {
    Advanced a("m16");
    a.silence();
    a.open("ATmega16");
    EXPECT_EQ(a.shown("1017"), QStringLiteral("?"));
    EXPECT_EQ(a.shown("1018"), QStringLiteral("?.?"));
    EXPECT_EQ(a.shown("1016"), QStringLiteral("?? ?? ??"));
    // Without a programmer type the calibration field keeps what it shows.
    EXPECT_EQ(a.shown("1079"), QString());
    // Nothing read shows nothing programmed.
    EXPECT_EQ(a.shown("1040"), QStringLiteral("Ext XTAL, High frequency"));
    EXPECT_EQ(a.shown("1007"), QStringLiteral("方式 1"));
    EXPECT_TRUE(a.bench.dialogs.shown().empty());
}

TEST(AdvancedDialog, FailureTextsWithAParallelProgrammerAndNoTarget) {
    Advanced a("m16", burnettest::parallelProgrammer());
    a.bench.isp.setTargetPresent(false);
    a.open("ATmega16");
    EXPECT_EQ(a.shown("1017"), QStringLiteral("KES-ISP"));
    EXPECT_EQ(a.shown("1016"), QStringLiteral("?? ?? ??"));
    EXPECT_EQ(a.shown("1079"), QStringLiteral("No_support"));
    EXPECT_TRUE(a.bench.dialogs.wasShown(QStringLiteral("Can't enter programming mode!")));
}

TEST(AdvancedDialog, CloseEndsTheDialog) {
    Advanced a("m16");
    a.open("ATmega16");
    a.bench.sent();
    a.press("8");
    EXPECT_FALSE(a.dialog->isVisible());
    EXPECT_EQ(a.dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(a.bench.sent().isEmpty());
}

// The main window's own button, with the dialog the program opens there: modal, so the test
// acts from inside its event loop.
TEST(AdvancedFromTheMainWindow, TheButtonOpensTheDialogOnTheSelectedDevice) {
    burnettest::BurnetUnderTest b("m16");
    b.useAdvancedDialog(OpenAdvancedDialog);
    ASSERT_TRUE(b.start());
    b.choose(1003, QStringLiteral("ATmega16"));
    b.sent();

    QStringList seen;
    QTimer::singleShot(0, [&seen] {
        auto* dialog = qobject_cast<CAdvancedDlg*>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "no modal advanced dialog";
            if (QWidget* other = QApplication::activeModalWidget()) other->close();
            return;
        }
        seen << testsupport::shownText(dialog, QStringLiteral("1016")) << testsupport::shownText(dialog, QStringLiteral("1041"));
        choose(dialog, QStringLiteral("1041"), QStringLiteral("BOD enabled, 4.0V"));
        click(dialog, QStringLiteral("1014"));
        click(dialog, QStringLiteral("8"));
        if (dialog->isVisible()) {
            ADD_FAILURE() << "Close did not end the dialog";
            dialog->reject();
        }
    });
    b.click(1015);

    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(seen, (QStringList{"1E 94 03", "No BOD function"}));
    EXPECT_EQ(b.isp().chip().fuse(Fuse::Low), 0x21);
    // The device is selected again before the dialog asks the programmer about itself.
    EXPECT_EQ(b.sent().mid(0, 4), (QStringList{"T 74", "S", "V", "p"}));
    EXPECT_TRUE(b.enabled(1015));
}
