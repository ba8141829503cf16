// The unit page against tvr-sim: the version record (CMD81), then the polling state
// (CMD50), the window held meanwhile; lost answers, a silent unit, and the vapour pressure
// tab of "Общие настройки", and the shared handling of page signature answers.
#include "units_app.h"

#include "configurator/app/common_settings_page.h"
#include "configurator/app/mainform.h"
#include "configurator/app/workspace.h"
#include "configurator/image/signaturecrc.h"
#include "configurator/image/signatures.h"
#include "configurator/link/frame.h"
#include "configurator/protocol/unit_status.h"

#include "simulators/tvr/firmware.h"

#include <QApplication>
#include <QTreeWidget>

#include <gtest/gtest.h>

using unitstest::UnitsApp;

namespace {

const QString kUnit101 = QStringLiteral("TVR (101)");
const QString kVersionGiveUp = QStringLiteral("TVR не ответил на сообщение CMD81. Проверьте линию связи.");

QColor textColour(UnitsApp& app, const QString& name) {
    return app.window(name)->palette().color(QPalette::WindowText);
}

void expectQuestionMarks(UnitsApp& app, bool identificationToo) {
    for (const char* label : {"lblTVRAddress", "lblDatePOTVR", "lblVerPOTVR", "lblIDPOTVR", "lblFilePOTVR"})
        EXPECT_EQ(app.text(QString::fromLatin1(label)), QStringLiteral("???")) << label;
    if (identificationToo) {
        EXPECT_EQ(app.text(QStringLiteral("lblIdetification")), QStringLiteral("???"));
    }
}

}  // namespace

TEST(UnitPage, TheVersionRecordThenThePollingStateThenTheWindowIsReleasedAndTheTreeFocused) {
    UnitsApp app;
    app.putSettingsFile(101);
    app.startWithUnits({101});
    app.unit(101).setPollingMask(0x05);
    app.choose({kUnit101});
    EXPECT_EQ(app.shownPage(), QStringLiteral("PanelTVR"));
    EXPECT_FALSE(app.windowReleased()) << "the window waits for the unit";
    expectQuestionMarks(app, true);
    EXPECT_EQ(app.text(QStringLiteral("lblStatusChannel1")), QStringLiteral("Канал 1 - НЕТ ДАННЫХ"));

    app.advance(3000);
    EXPECT_EQ(app.text(QStringLiteral("lblTVRAddress")), QStringLiteral("101"));
    EXPECT_EQ(app.text(QStringLiteral("lblDatePOTVR")), QStringLiteral("21.10.13"));
    EXPECT_EQ(app.text(QStringLiteral("lblVerPOTVR")), QStringLiteral("60"));
    EXPECT_EQ(app.text(QStringLiteral("lblIDPOTVR")), QStringLiteral("TVR-K08-V60-LPG-R01"));
    EXPECT_EQ(app.text(QStringLiteral("lblFilePOTVR")), QStringLiteral("TVRK08V60LPGR01.zb7"));
    EXPECT_EQ(app.text(QStringLiteral("lblIdetification")), QStringLiteral("Блок TVR-8, восемь измерительных каналов"));
    for (int k = 1; k <= 8; ++k) {
        const QString label = QStringLiteral("lblStatusChannel%1").arg(k);
        const bool polled = k == 1 || k == 3;
        EXPECT_EQ(app.text(label), QStringLiteral("Канал %1 - опрос %2").arg(k).arg(polled ? QStringLiteral("включен")
                                                                                         : QStringLiteral("выключен")));
        EXPECT_EQ(textColour(app, label), polled ? QColor(0, 128, 0) : QColor(255, 0, 0)) << k;
    }
    EXPECT_TRUE(app.windowReleased());
    EXPECT_EQ(app.sent(101, 81), 1);
    EXPECT_EQ(app.sent(101, 50), 1);
    EXPECT_EQ(app.logLinesContaining(QStringLiteral("Получен ответ от TVR(101) на сообщение CMD50")), 1);
    EXPECT_FALSE(app.main().focusTreeTimer().enabled()) << "a one-shot that has run";
    EXPECT_EQ(QApplication::focusWidget(), app.main().workspace().tree());
}

TEST(UnitPage, OneLostVersionAnswerIsAskedForOnceMore) {
    UnitsApp app;
    app.putSettingsFile(101);
    app.startWithUnits({101});
    app.units({}).faults().dropNextAnswers(1);
    app.choose({kUnit101});
    app.advance(5000);
    EXPECT_EQ(app.sent(101, 81), 2);
    EXPECT_EQ(app.logLinesContaining(QStringLiteral("Нет ответа от TVR (101)на сообщение CMD81. Отправлен повторный запрос.")), 1);
    EXPECT_EQ(app.text(QStringLiteral("lblVerPOTVR")), QStringLiteral("60"));
    EXPECT_TRUE(app.windowReleased());
}

TEST(UnitPage, ASilentUnitIsGivenUpAfterOneResendAndTheNextChoiceResendsAgain) {
    UnitsApp app;
    app.putSettingsFile(101);
    app.putSettingsFile(105);
    app.startWithUnits({101});
    app.choose({kUnit101});
    app.advance(3000);
    ASSERT_EQ(app.text(QStringLiteral("lblVerPOTVR")), QStringLiteral("60"));

    app.choose({QStringLiteral("TVR (105)")});
    app.advance(3999);
    EXPECT_EQ(app.sent(105, 81), 2);
    EXPECT_FALSE(app.windowReleased());
    app.expectBox(kVersionGiveUp);
    app.advance(1);
    EXPECT_EQ(app.lastBox().icon, platform::Icon::Error);
    EXPECT_TRUE(app.logLines().last().endsWith(QStringLiteral("[ОШИБКА]\tНет ответа от TVR (105)на сообщение CMD81")));
    expectQuestionMarks(app, true);
    EXPECT_TRUE(app.windowReleased());

    app.choose({kUnit101});
    app.advance(3000);
    app.choose({QStringLiteral("TVR (105)")});
    app.expectBox(kVersionGiveUp);
    app.advance(6000);
    EXPECT_EQ(app.sent(105, 81), 4);
    EXPECT_EQ(app.logLinesContaining(QStringLiteral("Нет ответа от TVR (105)на сообщение CMD81. Отправлен повторный запрос.")), 2);
}

TEST(UnitPage, ALostStatusAnswerIsLoggedAndReleasesTheWindow) {
    UnitsApp app;
    app.putSettingsFile(101);
    app.startConnected();
    app.choose({kUnit101});
    app.device().say(veldar::wireText(veldar::requestFrame(101, 81, tvrsim::Firmware().record())));
    app.advance(1000);
    ASSERT_EQ(app.sent(101, 50), 1);
    EXPECT_FALSE(app.windowReleased());
    app.advance(1000);
    EXPECT_TRUE(app.logLines().last().endsWith(QStringLiteral("[ОШИБКА]\tНет ответа от TVR на сообщение CMD50.")));
    EXPECT_TRUE(app.windowReleased());
    EXPECT_EQ(app.text(QStringLiteral("lblVerPOTVR")), QStringLiteral("60"));
    EXPECT_EQ(app.text(QStringLiteral("lblStatusChannel2")), QStringLiteral("Канал 2 - НЕТ ДАННЫХ"));
}

TEST(UnitPage, TheVapourPressureTabIsOfferedForFirmwareVersionSixtyOnly) {
    for (const int version : {59, 60, 61}) {
        SCOPED_TRACE(version);
        UnitsApp app;
        app.putSettingsFile(101);
        app.startWithUnits({101});
        app.unit(101).firmware().version = static_cast<std::uint8_t>(version);
        app.choose({kUnit101, QStringLiteral("Общие настройки")});
        EXPECT_TRUE(app.windowReleased()) << "nothing but the general timer watches this request";
        EXPECT_TRUE(app.main().unitStatus().gasPressureDecisionPending());
        app.advance(3000);
        EXPECT_EQ(app.main().commonSettingsPage().gasPressureShown(), version == 60);
        EXPECT_FALSE(app.main().unitStatus().gasPressureDecisionPending());
        EXPECT_EQ(app.sent(101, 81), 1);
        EXPECT_EQ(app.sent(101, 50), 0) << "the decision is all the answer is for";
        EXPECT_EQ(app.text(QStringLiteral("lblVerPOTVR")), QStringLiteral("???"));
    }
}

TEST(UnitPage, ATabDecisionNobodyAnsweredDoesNotTakeTheNextUnitPagesVersion) {
    UnitsApp app;
    app.putSettingsFile(101);
    app.putSettingsFile(105);
    app.startWithUnits({101});
    app.choose({QStringLiteral("TVR (105)"), QStringLiteral("Общие настройки")});
    app.advance(3000);
    ASSERT_TRUE(app.main().unitStatus().gasPressureDecisionPending());
    app.choose({kUnit101});
    app.advance(3000);
    EXPECT_EQ(app.text(QStringLiteral("lblVerPOTVR")), QStringLiteral("60"));
    EXPECT_EQ(app.sent(101, 81), 1);
    EXPECT_TRUE(app.windowReleased());
}

// The unit signs its relay block; a page that registers its signature request gets the
// shared comparison, and a second answer compares against what the first left.
TEST(PageSignatures, ARegisteredSignatureAnswerIsComparedLoggedAndShown) {
    UnitsApp app;
    app.putSettingsFile(121);
    app.startWithUnits({121});
    veldar::TMainForm& main = app.main();
    veldar::routeSignatureAnswers(main.dispatcher(), 70, veldar::SignatureKind::RelayOutputs, main.signatureAnswers());
    main.signatureRegisters().set(veldar::SignatureKind::RelayOutputs,
                                  veldar::SignatureCrc(app.unit(121).memory().mid(11264, 8)));
    app.expectBox(QStringLiteral("Сигнатура совпадает"));
    main.sender().sendRequest(121, 70);
    app.advance(1000);
    EXPECT_TRUE(app.logLines().last().endsWith(QStringLiteral("[СООБЩЕНИЕ]\tСовпадение сигнатур настроек РЕЛЕ TVR (121)")));

    app.expectBox(QStringLiteral("Сигнатура не совпадает"));
    main.sender().sendRequest(121, 70);
    app.advance(1000);
    EXPECT_TRUE(app.logLines().last().endsWith(QStringLiteral("[ОШИБКА]\tНе совпадение сигнатур настроек РЕЛЕ TVR (121)")));
}
