// The regime and liquid dialogs of the sensor page, clicked as the operator clicks them.
#include "configurator/units/units_app.h"
#include "support/widgets.h"

#include "configurator/app/mainform.h"
#include "configurator/app/sensor_page.h"
#include "configurator/app/settings.h"
#include "configurator/config/constant_rows.h"
#include "configurator/image/default_settings.h"
#include "configurator/image/image_layout.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace veldar;

namespace {

QStringList sensorNode(int channel) {
    return {QStringLiteral("TVR (101)"), QStringLiteral("Измерительные каналы"),
            QStringLiteral("Канал %1").arg(channel), QStringLiteral("Датчик VLK")};
}

// The sensor page of channel 1 opened from the default settings image file, offline so that
// nothing but the file is involved. Channel 2 of the file has no regime.
class ConstantDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        QByteArray file = builtInDefaultSettings();
        file[image::constantsOffset(2) + 3] = char(0x00);
        app.putSettingsFile(101, file);
        app.setSetting(Settings::kOffline, QStringLiteral("Y"));
        app.startConnected();
        app.choose(sensorNode(1));
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

    unitstest::UnitsApp app;
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

TEST_F(ConstantDialogs, ARowWithoutAKnownRegimeLeavesTheButtonsAsTheyWereLastTime) {
    testsupport::click(rows().edit(kRegimeRow));
    app.click(QStringLiteral("rbWeightSensor"), regimeDialog());
    app.click(QStringLiteral("btnOk"), regimeDialog());
    EXPECT_EQ(hiddenRows(), (std::vector<int>{11, 13, 14, 15, 16, 20, 24}));
    app.choose(sensorNode(2));
    EXPECT_EQ(rows().edit(kRegimeRow)->text(), QStringLiteral("Режим работы неопределен"));
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
