// Burnet's window from start-up to a selected device: the programmer scan, the device list,
// the restored device, the enabled controls, the file name and the about box.
#include "support/burnet_under_test.h"
#include "support/isp_bench.h"
#include "support/widgets.h"

#include "programmer/app/aboutdlg.h"
#include "programmer/app/programmerapp.h"
#include "programmer/app/programmerdlg.h"

#include <QAction>
#include <QLabel>
#include <QProgressBar>

#include <gtest/gtest.h>

using namespace burnet;
using namespace burnettest;

namespace {

const QStringList kListedParts{"AT90S4433", "AT90S8515", "ATmega128", "ATmega16", "ATmega8"};
const int kFlashControls[] = {1025, 1001, 1002, 1021};
const int kEepromControls[] = {1026, 1020, 1022, 1019};

}  // namespace

TEST(Startup, WithoutAProgrammerTheMessageIsShownAndTheProgramEnds) {
    BurnetUnderTest b;
    b.unplug();
    b.expectBox(QStringLiteral("没有发现编程器目标板！   \nBurnet 1.37 汉化版 "));
    EXPECT_FALSE(b.start());
    EXPECT_FALSE(b.window().isVisible());
    EXPECT_EQ(b.dialogs().shown().size(), 1u);
    EXPECT_EQ(b.dialogs().shown()[0].caption, QStringLiteral("Burnet"));
}

TEST(Startup, TheApplicationShowsItsWindowOnlyWhenAProgrammerAnswers) {
    BurnetUnderTest b;
    CProgrammerApp app(b.services());
    ASSERT_TRUE(app.InitInstance());
    EXPECT_TRUE(app.mainWindow()->isVisible());
    EXPECT_EQ(b.registry().readString(QStringLiteral("Software\\Halvard\\Burnet\\Device"), QStringLiteral("名称")),
              QStringLiteral("AT90S4433"));

    BurnetUnderTest none;
    none.unplug();
    none.expectBox(QStringLiteral("没有发现编程器目标板！   \nBurnet 1.37 汉化版 "));
    CProgrammerApp ended(none.services());
    EXPECT_FALSE(ended.InitInstance());
    EXPECT_FALSE(ended.mainWindow()->isVisible());
}

TEST(Startup, TheProgrammersDeviceListSortedWithTheFirstEntrySelectedAndSent) {
    BurnetUnderTest b;
    ASSERT_TRUE(b.start());
    EXPECT_EQ(b.window().windowTitle(), QStringLiteral("Burnet 1.35C"));
    EXPECT_EQ(b.entries(1003), kListedParts);
    EXPECT_TRUE(b.enabled(1003));
    EXPECT_EQ(b.text(1003), QStringLiteral("AT90S4433"));
    EXPECT_EQ(b.savedValue(QStringLiteral("Device"), QStringLiteral("名称")), QStringLiteral("AT90S4433"));
    ASSERT_TRUE(b.isp().selection().has_value());
    EXPECT_EQ(b.isp().selection()->deviceCode, 0x30);
    // The scan, the device list, block support, the device.
    EXPECT_EQ(b.sent(), (QStringList{"S", "a", "t", "b", "T 30"}));
}

TEST(Startup, AProgrammerThatListsOneDeviceLeavesTheListDisabled) {
    BurnetUnderTest b("m16", ispsim::ProgrammerConfig::bootLoaderOf(*ispsim::findPart(QStringLiteral("m16"))));
    ASSERT_TRUE(b.start());
    EXPECT_EQ(b.entries(1003), QStringList{"ATmega16 BOOT"});
    EXPECT_FALSE(b.enabled(1003));
    EXPECT_EQ(b.isp().selection()->deviceCode, 0x75);
}

TEST(Startup, TheSavedDeviceIsSelectedAgainOrElseTheFirst) {
    struct Case {
        QString saved;
        QString selected;
    };
    const Case cases[] = {
        {"ATmega16", "ATmega16"},
        {"ATmega8", "ATmega8"},
        {"NoSuchChip", "AT90S4433"},
        {"atmega16", "AT90S4433"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.saved.toStdString());
        BurnetUnderTest b;
        b.saveValue(QStringLiteral("Device"), QStringLiteral("名称"), c.saved);
        ASSERT_TRUE(b.start());
        EXPECT_EQ(b.text(1003), c.selected);
        EXPECT_EQ(b.isp().selection()->deviceCode, FindRowByName(c.selected).deviceCode);
        EXPECT_EQ(b.savedValue(QStringLiteral("Device"), QStringLiteral("名称")), c.selected);
    }
}

TEST(Startup, WithoutADeviceListTheRowsOfTheFirstProgrammerTypeAndVersionAreOffered) {
    BurnetUnderTest b("m16", withoutDeviceList(1, "PS"));
    ASSERT_TRUE(b.start());
    EXPECT_EQ(b.entries(1004), (QStringList{"Parallel", "SPI serial"}));
    EXPECT_FALSE(testsupport::isShown(&b.window(), QStringLiteral("1004")));
    const QStringList devices = b.entries(1003);
    // Parallel type, version 1: a parallel-only part and a version-1 part, but no boot loader.
    EXPECT_TRUE(devices.contains(QStringLiteral("ATtiny11")));
    EXPECT_TRUE(devices.contains(QStringLiteral("ATmega16")));
    EXPECT_FALSE(devices.contains(QStringLiteral("ATmega16 BOOT")));
    EXPECT_FALSE(devices.contains(QStringLiteral("ATmega169")));
    EXPECT_EQ(b.sent().mid(2, 5), (QStringList{"t", "O", "o 50", "K", "b"}));

    // A programmer that names no type of its own: every row its version allows.
    BurnetUnderTest untyped("m16", withoutDeviceList(0, ""));
    ASSERT_TRUE(untyped.start());
    EXPECT_TRUE(untyped.entries(1004).isEmpty());
    const QStringList offered = untyped.entries(1003);
    EXPECT_TRUE(offered.contains(QStringLiteral("ATtiny11")));
    EXPECT_TRUE(offered.contains(QStringLiteral("AT90S2313")));
    EXPECT_FALSE(offered.contains(QStringLiteral("ATmega16")));
}

TEST(Startup, ADeviceWithoutEepromDisablesTheEepromGroup) {
    ispsim::ProgrammerConfig config = ispsim::ProgrammerConfig::inSystemProgrammer();
    config.deviceList = QByteArray::fromHex("8774");
    BurnetUnderTest b("m16", config);
    ASSERT_TRUE(b.start());
    ASSERT_EQ(b.entries(1003), (QStringList{"AT89S53", "ATmega16"}));
    for (int id : kFlashControls) EXPECT_TRUE(b.enabled(id)) << id;
    for (int id : kEepromControls) EXPECT_FALSE(b.enabled(id)) << id;

    b.choose(1003, QStringLiteral("ATmega16"));
    for (int id : kEepromControls) EXPECT_TRUE(b.enabled(id)) << id;
    EXPECT_EQ(b.isp().selection()->deviceCode, 0x74);
    EXPECT_EQ(b.savedValue(QStringLiteral("Device"), QStringLiteral("名称")), QStringLiteral("ATmega16"));
    EXPECT_EQ(b.window().image().bytes.size(), 16384u);
}

TEST(Startup, TheSavedFileNameIsShownAbbreviated) {
    BurnetUnderTest b;
    b.saveValue(QStringLiteral("文件"), QStringLiteral("名称"), QStringLiteral("/home/anna/firmware/tvr/release/unit.hex"));
    ASSERT_TRUE(b.start());
    EXPECT_EQ(b.text(1018), QStringLiteral("/home/.../release/unit.hex"));

    b.browseTo(QStringLiteral("flash.hex"));
    EXPECT_EQ(b.savedValue(QStringLiteral("文件"), QStringLiteral("名称")), b.path(QStringLiteral("flash.hex")));
    EXPECT_TRUE(b.text(1018).endsWith(QStringLiteral("/flash.hex")));
    const auto& request = b.dialogs().fileRequests().back();
    EXPECT_EQ(request.caption, QStringLiteral("浏览  "));
    EXPECT_EQ(request.defaultSuffix, QStringLiteral("hex"));
    EXPECT_EQ(request.start, QStringLiteral("/home/anna/firmware/tvr/release/unit.hex"));
}

TEST(Startup, TheAdvancedButtonSelectsTheDeviceAndOpensTheDialog) {
    BurnetUnderTest without;
    ASSERT_TRUE(without.start());
    EXPECT_FALSE(without.enabled(1015));

    BurnetUnderTest b;
    b.provideAdvancedDialog();
    ASSERT_TRUE(b.start());
    EXPECT_TRUE(b.enabled(1015));
    b.choose(1003, QStringLiteral("ATmega8"));
    b.sent();
    b.click(1015);
    EXPECT_EQ(b.sent(), QStringList{"T 76"});
    ASSERT_EQ(b.advancedCalls().size(), 1u);
    EXPECT_EQ(b.advancedCalls()[0].deviceCode, 0x76u);
    EXPECT_EQ(b.advancedCalls()[0].paramVersion, 0);
}

TEST(Startup, TheAboutItemOpensTheAboutBox) {
    BurnetUnderTest b;
    ASSERT_TRUE(b.start());
    EXPECT_EQ(b.window().aboutAction()->text(), QStringLiteral("关于 Burnet(&A)..."));
    EXPECT_EQ(b.window().aboutAction()->objectName(), QStringLiteral("16"));
    b.window().aboutAction()->trigger();
    testsupport::processEvents();
    auto* about = b.window().findChild<CAboutDlg*>();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    testsupport::click(about, QStringLiteral("IDOK"));
    EXPECT_FALSE(about->isVisible());
}
