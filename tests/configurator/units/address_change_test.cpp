// Changing a unit's address against tvr-sim: refusals, the check of the new address, the
// successful change, and a unit that does not answer CMD82.
#include "units_app.h"

#include "configurator/app/mainform.h"
#include "configurator/app/workspace.h"
#include "configurator/image/default_settings.h"
#include "configurator/protocol/address_change.h"
#include "configurator/protocol/changeadrbo.h"

#include <gtest/gtest.h>

using unitstest::UnitsApp;

namespace {

// Unit 121 (and whoever else is on the line) with its page open and the dialog shown.
struct Change {
    explicit Change(const std::vector<int>& units, const std::vector<int>& moreFiles = {}) {
        image = veldar::builtInDefaultSettings();
        image[100] = 0x42;
        app.putSettingsFile(121, image);
        for (const int f : moreFiles) app.putSettingsFile(f);
        app.startWithUnits(units);
        app.choose({QStringLiteral("TVR (121)")});
        app.advance(3000);
        app.click(QStringLiteral("btnChangeAdrBO"));
        dialog = &app.program().changeAdrBo();
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Смена адреса БО"));
    }
    void write(const QString& typed) {
        app.type(QStringLiteral("txtNewAdr"), typed, dialog);
        app.click(QStringLiteral("btnWriteBOAdr"), dialog);
    }

    UnitsApp app;
    QByteArray image;
    veldar::TChangeAdrBOForm* dialog = nullptr;
};

}  // namespace

TEST(AddressChange, AnAddressWithANodeIsRefusedAtOnce) {
    Change c({121}, {130});
    c.app.expectBox(QStringLiteral("TVR с таким адресом уже существует!"));
    c.write(QStringLiteral("130"));
    EXPECT_EQ(c.app.lastBox().icon, platform::Icon::Error);
    EXPECT_TRUE(c.app.logLines().last().endsWith(
        QStringLiteral("[ОШИБКА]\tНе прошла смена адреса TVR. Выбранный адрес TVR совпал с уже имеющимся в списке!")));
    EXPECT_TRUE(c.dialog->isVisible());
    EXPECT_EQ(c.app.sent(130, 50), 0);
    EXPECT_TRUE(c.app.windowReleased());
}

TEST(AddressChange, EmptyAndImpossibleAddressesAreRefused) {
    Change c({121});
    for (const char* typed : {"", "0", "256", "1000", "12x"}) {
        c.app.expectBox(QString::fromUtf8(*typed && QByteArray(typed) != "0" ? "Адрес TVR должен быть числом от 1 до 255"
                                                                            : "Введите адрес TVR"));
        c.write(QString::fromUtf8(typed));
        EXPECT_TRUE(c.dialog->isVisible()) << typed;
    }
    c.app.advance(5000);
    EXPECT_TRUE(c.app.hasSettingsFile(121));
    EXPECT_TRUE(c.app.windowReleased());
}

TEST(AddressChange, AnAddressAnotherUnitAnswersIsRefusedAfterTheCheck) {
    Change c({121, 140});
    c.write(QStringLiteral("140"));
    EXPECT_FALSE(c.dialog->isVisible());
    EXPECT_FALSE(c.app.windowReleased());
    const QString refusal = QStringLiteral("Смена адреса не возможна!  TVR с адресом 140 уже присутствует на линии связи!");
    c.app.expectBox(refusal);
    c.app.advance(1500);
    EXPECT_EQ(c.app.lastBox().icon, platform::Icon::Error);
    EXPECT_TRUE(c.app.logLines().last().endsWith(QStringLiteral("[ОШИБКА]\t") + refusal));
    EXPECT_TRUE(c.app.windowReleased());
    c.app.advance(3000);
    EXPECT_EQ(c.app.sent(121, 82, QByteArray(1, char(140))), 0);
    EXPECT_EQ(c.app.settingsFileContent(121), c.image);
    EXPECT_TRUE(c.app.backups().isEmpty());
}

TEST(AddressChange, ASuccessfulChangeBacksUpTheOldFileStoresTheImageUnderTheNewAddressAndRenamesTheNode) {
    Change c({121});
    c.write(QStringLiteral("150"));
    c.app.expectBox(QStringLiteral("Адрес TVR изменен на 150"));
    c.app.advance(1500 + 1000);
    EXPECT_EQ(c.app.sent(121, 82, QByteArray(1, char(150))), 1);
    EXPECT_FALSE(c.app.hasSettingsFile(121));
    ASSERT_EQ(c.app.backups().size(), 1);
    EXPECT_TRUE(c.app.backups()[0].startsWith(QStringLiteral("TVR121_SETTINGS_BACKUP(09_12_2013__14_05_")));
    EXPECT_EQ(c.app.settingsFileContent(150), c.image);
    EXPECT_EQ(c.app.unitCaptions(), QStringList{QStringLiteral("TVR (150)")});
    EXPECT_EQ(c.app.logLinesContaining(QStringLiteral("[СООБЩЕНИЕ]\tАдрес TVR изменен на с 121 на 150")), 1);
    EXPECT_EQ(c.app.title(), QStringLiteral("     VELDAR->TVR (150)"));
    c.app.advance(3000);
    EXPECT_EQ(c.app.text(QStringLiteral("lblTVRAddress")), QStringLiteral("150")) << "the page asks the unit anew";
    EXPECT_TRUE(c.app.windowReleased());
}

TEST(AddressChange, AUnitThatDoesNotAnswerTheChangeKeepsItsNameAndItsImageComesBack) {
    Change c({121});
    c.app.units({}).faults().dropNextAnswers(1);
    c.write(QStringLiteral("150"));
    c.app.advance(1500 + 1000);
    ASSERT_EQ(c.app.sent(121, 82, QByteArray(1, char(150))), 1);
    EXPECT_FALSE(c.app.hasSettingsFile(121)) << "in the backups while the change runs";
    EXPECT_FALSE(c.app.windowReleased());
    const QString giveUp = QStringLiteral("TVR не ответил на сообщение CMD82. Адрес TVR не изменен, настройки сохранены "
                                          "под прежним адресом. Проверьте адрес блока (Определение адреса TVR).");
    c.app.expectBox(giveUp);
    c.app.advance(1500);
    EXPECT_EQ(c.app.lastBox().icon, platform::Icon::Error);
    EXPECT_TRUE(c.app.logLines().last().endsWith(
        QStringLiteral("[ОШИБКА]\tНет ответа от TVR (121)на сообщение CMD82. Смена адреса отменена.")));
    EXPECT_EQ(c.app.settingsFileContent(121), c.image);
    EXPECT_FALSE(c.app.hasSettingsFile(150));
    EXPECT_EQ(c.app.backups().size(), 1);
    EXPECT_EQ(c.app.unitCaptions(), QStringList{QStringLiteral("TVR (121)")});
    EXPECT_TRUE(c.app.windowReleased());
}
