// The regime and liquid dialogs of the sensor page, clicked as the operator clicks them.
#include "configurator/support/configurator_under_test.h"
#include "support/widgets.h"

#include "configurator/app/mainform.h"
#include "configurator/app/sensor_page.h"
#include "configurator/app/workspace.h"
#include "configurator/config/constant_rows.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace veldar;
using veldartest::ConfiguratorUnderTest;

namespace {
const QByteArray kDefaultBlock = QByteArray::fromHex(
    "001B58D1010186A00DAC00320DAC0DAC0DAC086B086B086B0B8606A4"
    "03840000000000000ADC157D272703B686C500C807080002001E0001"
    "0A010000001202E4002D003C00001D240000009F0064096009C400C8");

// The sensor page on screen, showing a block.
class ConstantDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        app.startConnected();
        app.main().workspace().showPage(Workspace::kSensorSettings);
        show(kDefaultBlock);
    }

    void show(const QByteArray& block) {
        rows().setTexts(*decodeChannelConstants(block, app.main().decimalSeparator()));
        rows().layOutForRegime();
        testsupport::processEvents();
    }

    ConstantRows& rows() { return *app.main().sensorPage().constantRows(); }
    QWidget* regimeDialog() { return app.window(QStringLiteral("TfrmSetSensorRegime")); }
    QWidget* liquidDialog() { return app.window(QStringLiteral("TfrmSetLiquidType")); }
    bool checked(QWidget* dialog, const QString& button) {
        auto* rb = testsupport::find<QRadioButton>(dialog, button);
        return rb && rb->isChecked();
    }
    std::vector<int> hiddenRows() {
        std::vector<int> hidden;
        for (int row = 0; row < kConstantRows; ++row)
            if (rows().label(row)->isHidden()) hidden.push_back(row);
        return hidden;
    }

    ConfiguratorUnderTest app;
};

}  // namespace

TEST_F(ConstantDialogs, ChoosingTheDensityMeterHidesFifteenRowsAndStacksTheRest) {
    EXPECT_EQ(hiddenRows(), (std::vector<int>{11, 13, 24}));
    testsupport::click(rows().edit(kRegimeRow));
    ASSERT_TRUE(regimeDialog()->isVisible());
    EXPECT_TRUE(checked(regimeDialog(), QStringLiteral("rbWeightAndPressureSensor")));
    app.click(QStringLiteral("rbPlotnomer"), regimeDialog());
    app.click(QStringLiteral("btnOk"), regimeDialog());
    EXPECT_FALSE(regimeDialog()->isVisible());
    EXPECT_EQ(rows().edit(kRegimeRow)->text(), QStringLiteral("Плотномер"));
    EXPECT_EQ(hiddenRows(), (std::vector<int>{3, 4, 5, 6, 9, 12, 14, 15, 16, 18, 19, 20, 21, 22, 23}));
    EXPECT_EQ(rows().label(7)->y(), 13 + 24 * 3);
    EXPECT_EQ(rows().edit(24)->geometry(), QRect(363, 13 + 24 * 9, 100, 21));
    // Only the page changed: nothing went to the line.
    EXPECT_TRUE(app.wire().written().isEmpty());
}

TEST_F(ConstantDialogs, AnUnknownRegimeAfterTheDensityMeterLeavesTheLastRowsWhereTheyWere) {
    testsupport::click(rows().edit(kRegimeRow));
    app.click(QStringLiteral("rbPlotnomer"), regimeDialog());
    app.click(QStringLiteral("btnOk"), regimeDialog());
    QByteArray unknown = kDefaultBlock;
    unknown[3] = char(0x55);
    show(unknown);
    EXPECT_EQ(rows().edit(kRegimeRow)->text(), QStringLiteral("Режим работы неопределен"));
    EXPECT_EQ(hiddenRows(), (std::vector<int>{21, 22, 23}));
    for (int row = 0; row <= 20; ++row) EXPECT_EQ(rows().edit(row)->y(), 13 + 24 * row) << row;
    EXPECT_EQ(rows().edit(24)->y(), 13 + 24 * 9);
}

TEST_F(ConstantDialogs, ARowWithoutAKnownRegimeLeavesTheButtonsAsTheyWereLastTime) {
    testsupport::click(rows().edit(kRegimeRow));
    app.click(QStringLiteral("rbWeightSensor"), regimeDialog());
    app.click(QStringLiteral("btnOk"), regimeDialog());
    EXPECT_EQ(hiddenRows(), (std::vector<int>{11, 13, 14, 15, 16, 20, 24}));
    QByteArray unknown = kDefaultBlock;
    unknown[3] = char(0x00);
    show(unknown);
    testsupport::click(rows().edit(kRegimeRow));
    EXPECT_TRUE(checked(regimeDialog(), QStringLiteral("rbWeightSensor")));
    // "ОК" puts the checked regime in and lays the rows out for it.
    app.click(QStringLiteral("btnOk"), regimeDialog());
    EXPECT_EQ(rows().edit(kRegimeRow)->text(), QStringLiteral("Одноэлектродный датчик VLK-2R"));
    EXPECT_EQ(hiddenRows(), (std::vector<int>{11, 13, 14, 15, 16, 20, 24}));
}

TEST_F(ConstantDialogs, TheLiquidDialogPutsTheCheckedLiquidIntoItsRowAndLeavesTheLayout) {
    testsupport::click(rows().edit(kLiquidRow));
    ASSERT_TRUE(liquidDialog()->isVisible());
    EXPECT_TRUE(checked(liquidDialog(), QStringLiteral("rbPropan100")));
    app.click(QStringLiteral("rbButan"), liquidDialog());
    app.click(QStringLiteral("btnOK"), liquidDialog());
    EXPECT_FALSE(liquidDialog()->isVisible());
    EXPECT_EQ(rows().edit(kLiquidRow)->text(), QStringLiteral("Бутан"));
    EXPECT_EQ(hiddenRows(), (std::vector<int>{11, 13, 24}));
    testsupport::click(rows().edit(kLiquidRow));
    EXPECT_TRUE(checked(liquidDialog(), QStringLiteral("rbButan")));
    EXPECT_FALSE(checked(liquidDialog(), QStringLiteral("rbPropan100")));
    EXPECT_TRUE(app.wire().written().isEmpty());
}

TEST_F(ConstantDialogs, RegimeAndLiquidRowsTakeNoTyping) {
    app.main().activateWindow();
    rows().edit(kRegimeRow)->setFocus();
    QTest::keyClicks(rows().edit(kRegimeRow), "x");
    EXPECT_EQ(rows().edit(kRegimeRow)->text(), QStringLiteral("Одноэлектродный датчик VLK-2R с датчиком давления"));
}
