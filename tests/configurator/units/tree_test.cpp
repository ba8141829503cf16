// The project tree: the rebuild after login, nodes, titles, pages, the pop-up menu, and adding
// and removing units by hand.
#include "units_app.h"

#include "configurator/app/caption_page.h"
#include "configurator/app/log_line.h"
#include "configurator/app/mainform.h"
#include "configurator/app/navigation.h"
#include "configurator/app/sensor_page.h"
#include "configurator/app/workspace.h"
#include "configurator/image/default_settings.h"

#include "support/widgets.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QTreeWidget>

#include <gtest/gtest.h>

using unitstest::UnitsApp;

namespace {

const QString kMeasuring = QStringLiteral("Измерительные каналы");

QStringList flatCaptions(QTreeWidgetItem* node) {
    QStringList out;
    for (int i = 0; i < node->childCount(); ++i) out << node->child(i)->text(0) << flatCaptions(node->child(i));
    return out;
}

// Right-clicks a node as the user does and tells which pop-up items are offered.
QStringList popupOffers(UnitsApp& app, QTreeWidgetItem* node) {
    QTreeWidget* tree = app.main().workspace().tree();
    tree->scrollToItem(node);
    emit tree->customContextMenuRequested(tree->visualItemRect(node).center());
    testsupport::processEvents();
    auto* menu = app.main().findChild<QMenu*>(QStringLiteral("popupMenuProjectTree"));
    QStringList offers;
    if (!menu->isVisible()) return offers;
    for (QAction* a : menu->actions())
        if (a->isVisible()) offers << a->objectName();
    menu->hide();
    return offers;
}

QColor textColour(QWidget* w) { return w->palette().color(QPalette::WindowText); }

}  // namespace

TEST(ProjectTree, TheRebuildAfterLoginListsTheUnitsWithFilesInAddressOrder) {
    UnitsApp app;
    for (const int address : {130, 101, 200}) app.putSettingsFile(address);
    app.startLoggedIn();
    EXPECT_EQ(app.unitCaptions(), QStringList({QStringLiteral("TVR (101)"), QStringLiteral("TVR (130)"),
                                               QStringLiteral("TVR (200)")}));
    QTreeWidget* tree = app.main().workspace().tree();
    EXPECT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("Терминал"));
    EXPECT_EQ(tree->currentItem(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    QStringList expected = {QStringLiteral("Общие настройки"), kMeasuring};
    for (int k = 1; k <= 8; ++k)
        expected << QStringLiteral("Канал %1").arg(k) << QStringLiteral("Датчик VLK") << QStringLiteral("Градуировочная таблица");
    expected << QStringLiteral("Выходы РЕЛЕ") << QStringLiteral("Календарь");
    EXPECT_EQ(flatCaptions(app.node({QStringLiteral("TVR (130)")})), expected);
    EXPECT_EQ(expected.size(), 28);
    EXPECT_EQ(app.node({QStringLiteral("TVR (130)"), kMeasuring, QStringLiteral("Канал 2")})->childCount(), 2);
}

TEST(ProjectTree, NoUnitsBeforeTheRebuild) {
    UnitsApp app;
    app.putSettingsFile(101);
    app.addAdministrator();
    app.start();
    EXPECT_TRUE(app.unitCaptions().isEmpty());
    EXPECT_EQ(app.text(QStringLiteral("PanelMainFrameTitle")), QStringLiteral("     Основное рабочее пространство"));
}

TEST(ProjectTree, EachNodeShowsItsPageAndTitle) {
    UnitsApp app;
    app.putSettingsFile(101);
    app.setSetting(QStringLiteral("Offline"), QStringLiteral("Y"));
    app.startLoggedIn();
    const QString unit = QStringLiteral("TVR (101)");
    const struct {
        QStringList path;
        const char* page;
        const char* title;
    } cases[] = {
        {{}, "PanelVELDAR", "     VELDAR"},
        {{unit}, "PanelTVR", "     VELDAR->TVR (101)"},
        {{unit, QStringLiteral("Общие настройки")}, "PanelTVRCommonSettings", "     VELDAR->TVR (101)->Общие настройки"},
        {{unit, kMeasuring}, "PanelMeasuringChannels", "     VELDAR->TVR (101)->Измерительные каналы"},
        {{unit, kMeasuring, QStringLiteral("Канал 3")}, "PanelChannel", "     VELDAR->TVR (101)->Измерительные каналы->Канал 3"},
        {{unit, kMeasuring, QStringLiteral("Канал 3"), QStringLiteral("Датчик VLK")}, "PanelSensorSettings",
         "     VELDAR->TVR (101)->Измерительные каналы->Канал 3->Датчик VLK"},
        {{unit, kMeasuring, QStringLiteral("Канал 8"), QStringLiteral("Градуировочная таблица")}, "PanelTarTab",
         "     VELDAR->TVR (101)->Измерительные каналы->Канал 8->Градуировочная таблица"},
        {{unit, QStringLiteral("Выходы РЕЛЕ")}, "PanelRelaySettings", "     VELDAR->TVR (101)->Выходы РЕЛЕ"},
        {{unit, QStringLiteral("Календарь")}, "PanelCalendar", "     VELDAR->TVR (101)->Календарь"},
    };
    for (const auto& c : cases) {
        // The page of the common settings asks the unit for its version, offline too.
        if (c.path.size() == 2 && c.path[1] == QStringLiteral("Общие настройки"))
            app.expectBox(QStringLiteral("Отправка данных не возможна. Не выбран COM порт!"));
        app.choose(c.path);
        EXPECT_EQ(app.shownPage().toStdString(), c.page) << c.title;
        EXPECT_EQ(app.title().toStdString(), c.title);
        EXPECT_EQ(app.text(QStringLiteral("PanelMainFrameTitle")), app.title());
    }
    app.main().workspace().tree()->setCurrentItem(app.main().workspace().tree()->topLevelItem(0));
    EXPECT_EQ(app.title(), QStringLiteral("     Терминал"));
    EXPECT_EQ(app.shownPage(), QStringLiteral("PanelRSSettings"));
}

TEST(ProjectTree, ChannelPagesNameTheirChannelAndTheTitleGivesUnitAndChannel) {
    UnitsApp app;
    app.putSettingsFile(101);
    app.putSettingsFile(230);
    app.setSetting(QStringLiteral("Offline"), QStringLiteral("Y"));
    app.startLoggedIn();
    veldar::Workspace& w = app.main().workspace();
    app.choose({QStringLiteral("TVR (101)"), kMeasuring, QStringLiteral("Канал 3")});
    EXPECT_EQ(app.text(QStringLiteral("PanelChannelCaption")), QStringLiteral("Канал 3"));
    EXPECT_EQ(w.currentUnit(), 101);
    EXPECT_EQ(w.currentChannel(), 3);
    app.choose({QStringLiteral("TVR (230)"), kMeasuring, QStringLiteral("Канал 7"), QStringLiteral("Градуировочная таблица")});
    EXPECT_EQ(w.currentUnit(), 230);
    EXPECT_EQ(w.currentChannel(), 7);
    app.choose({QStringLiteral("TVR (230)"), QStringLiteral("Календарь")});
    EXPECT_EQ(w.currentUnit(), 230);
    EXPECT_EQ(w.currentChannel(), std::nullopt);
    app.choose({});
    EXPECT_EQ(w.currentUnit(), std::nullopt);
    EXPECT_EQ(app.text(QStringLiteral("PanelMeasuringChannelsCaption")),
              QStringLiteral("Выберите изметрительный канал для настройки"));
}

TEST(ProjectTree, OfflineTheUnitPageShowsQuestionMarksAndSendsNothing) {
    UnitsApp app;
    app.putSettingsFile(101);
    app.setSetting(QStringLiteral("Offline"), QStringLiteral("Y"));
    app.setSetting(QStringLiteral("CurrComm"), QStringLiteral("COM1"));
    app.wire();
    app.expectBox(QStringLiteral("COM1"));
    app.startLoggedIn();
    ASSERT_TRUE(app.main().port().isOpen());
    app.choose({QStringLiteral("TVR (101)")});
    app.advance(5000);
    EXPECT_EQ(app.shownPage(), QStringLiteral("PanelTVR"));
    for (const char* label : {"lblTVRAddress", "lblDatePOTVR", "lblVerPOTVR", "lblIDPOTVR", "lblFilePOTVR", "lblIdetification"})
        EXPECT_EQ(app.text(QString::fromLatin1(label)), QStringLiteral("???")) << label;
    for (int k = 1; k <= 8; ++k) {
        QWidget* status = app.window(QStringLiteral("lblStatusChannel%1").arg(k));
        EXPECT_EQ(app.text(status->objectName()), QStringLiteral("Канал %1 - НЕТ ДАННЫХ").arg(k));
        EXPECT_EQ(textColour(status), QColor(Qt::black));
    }
    EXPECT_TRUE(app.device().heard().isEmpty());
    EXPECT_TRUE(app.windowReleased());
}

TEST(ProjectTree, TheClockRunsOnlyOnTheCalendarPageAndEveryPageStopsChannelPolling) {
    UnitsApp app;
    app.putSettingsFile(101);
    app.setSetting(QStringLiteral("Offline"), QStringLiteral("Y"));
    app.startLoggedIn();
    QCheckBox* polling = app.main().sensorPage().channelQuery();
    const QString unit = QStringLiteral("TVR (101)");
    const QList<QStringList> paths = {
        {unit, QStringLiteral("Календарь")},
        {unit, kMeasuring, QStringLiteral("Канал 1"), QStringLiteral("Датчик VLK")},
        {unit, QStringLiteral("Календарь")},
        {unit},
        {unit, QStringLiteral("Выходы РЕЛЕ")},
        {unit, QStringLiteral("Календарь")},
        {},
    };
    for (const QStringList& path : paths) {
        polling->setChecked(true);
        app.choose(path);
        const bool calendar = path.size() == 2 && path[1] == QStringLiteral("Календарь");
        EXPECT_EQ(app.main().dateTimeTimer().enabled(), calendar) << path.join(QLatin1Char('/')).toStdString();
        EXPECT_FALSE(polling->isChecked()) << path.join(QLatin1Char('/')).toStdString();
    }
    EXPECT_EQ(app.main().dateTimeTimer().interval(), 1000);
}

TEST(ProjectTree, ThePopupOffersAddingOnVeldarRemovingOnAUnitAndNothingElsewhere) {
    UnitsApp app;
    app.putSettingsFile(101);
    app.setSetting(QStringLiteral("Offline"), QStringLiteral("Y"));
    app.startLoggedIn();
    app.main().workspace().tree()->expandAll();
    EXPECT_EQ(popupOffers(app, app.node({})), QStringList{QStringLiteral("pumAddTVR")});
    EXPECT_EQ(popupOffers(app, app.node({QStringLiteral("TVR (101)")})), QStringList{QStringLiteral("pumDeleteTVR")});
    EXPECT_EQ(app.title(), QStringLiteral("     VELDAR->TVR (101)")) << "the node under the mouse is chosen";
    EXPECT_TRUE(popupOffers(app, app.node({QStringLiteral("TVR (101)"), QStringLiteral("Календарь")})).isEmpty());
    EXPECT_EQ(app.title(), QStringLiteral("     VELDAR->TVR (101)->Календарь"));
    EXPECT_TRUE(popupOffers(app, app.main().workspace().tree()->topLevelItem(0)).isEmpty());
}

TEST(AddUnit, AddingByHandMakesTheDefaultFileAndAppendsTheNode) {
    UnitsApp app;
    app.putSettingsFile(200);
    app.startLoggedIn();
    app.choose({});
    app.click(QStringLiteral("btnAddTVR"));
    QWidget* dialog = app.window(QStringLiteral("TfrmAddTVR"));
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Новый TVR"));
    app.type(QStringLiteral("txtTVRADR"), QStringLiteral("150"), dialog);
    app.click(QStringLiteral("btnAdd"), dialog);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(app.unitCaptions(), QStringList({QStringLiteral("TVR (200)"), QStringLiteral("TVR (150)")}));
    EXPECT_EQ(flatCaptions(app.node({QStringLiteral("TVR (150)")})).size(), 28);
    EXPECT_EQ(app.settingsFileContent(150), veldar::builtInDefaultSettings());
}

TEST(AddUnit, AnExistingOrImpossibleAddressIsRefusedAndTheDialogStays) {
    UnitsApp app;
    app.putSettingsFile(101);
    app.startLoggedIn();
    app.choose({});
    app.click(QStringLiteral("btnAddTVR"));
    QWidget* dialog = app.window(QStringLiteral("TfrmAddTVR"));
    const struct {
        const char* typed;
        const char* box;
        platform::Icon icon;
    } cases[] = {
        {"101", "TVR с таким адресом уже существует!", platform::Icon::Error},
        {"", "Введите адрес TVR", platform::Icon::Information},
        {"0", "Введите адрес TVR", platform::Icon::Information},
        {"000", "Введите адрес TVR", platform::Icon::Information},
        {"256", "Адрес TVR должен быть числом от 1 до 255", platform::Icon::Information},
        {"999", "Адрес TVR должен быть числом от 1 до 255", platform::Icon::Information},
    };
    for (const auto& c : cases) {
        app.expectBox(QString::fromUtf8(c.box));
        app.type(QStringLiteral("txtTVRADR"), QString::fromUtf8(c.typed), dialog);
        app.click(QStringLiteral("btnAdd"), dialog);
        EXPECT_EQ(app.lastBox().text.toStdString(), c.box) << c.typed;
        EXPECT_EQ(app.lastBox().icon, c.icon) << c.typed;
        EXPECT_TRUE(dialog->isVisible()) << c.typed;
    }
    EXPECT_EQ(app.logLinesContaining(QStringLiteral(
                  "[ОШИБКА]\tНевозможно создать TVR с адресом 101. TVR с таким адресом уже существует!")),
              1);
    EXPECT_EQ(app.unitCaptions(), QStringList{QStringLiteral("TVR (101)")});
    EXPECT_FALSE(app.hasSettingsFile(256));

    app.type(QStringLiteral("txtTVRADR"), QStringLiteral("007"), dialog);
    app.click(QStringLiteral("btnAdd"), dialog);
    EXPECT_EQ(app.unitCaptions(), QStringList({QStringLiteral("TVR (101)"), QStringLiteral("TVR (7)")}));
    EXPECT_TRUE(app.hasSettingsFile(7));
}

TEST(AddUnit, AFileThatCannotBeCreatedAddsNoNode) {
    UnitsApp app;
    app.startLoggedIn();
    ASSERT_TRUE(QDir().mkpath(app.settingsFile(150)));  // a folder where the file belongs
    app.main().workspace().tree()->expandAll();
    ASSERT_EQ(popupOffers(app, app.node({})).size(), 1);
    app.main().workspace().addUnitItem()->trigger();
    QWidget* dialog = app.window(QStringLiteral("TfrmAddTVR"));
    ASSERT_TRUE(dialog->isVisible());
    app.expectBox(QStringLiteral("Невозможно создать файл хранения настроек"));
    app.expectBox(QStringLiteral("Ошибка при создании файла с настройками!"));
    app.type(QStringLiteral("txtTVRADR"), QStringLiteral("150"), dialog);
    app.click(QStringLiteral("btnAdd"), dialog);
    EXPECT_TRUE(app.unitCaptions().isEmpty());
    EXPECT_EQ(app.logLinesContaining(
                  QStringLiteral("Команда 'Добавить TVR' не выполнена. Ошибка при создании файла с настройками!")),
              1);
}

TEST(AddUnit, AUnitWhoseFileIsThereKeepsItsFile) {
    UnitsApp app;
    app.startLoggedIn();
    QByteArray own = veldar::builtInDefaultSettings();
    own[0] = 0x12;
    app.putSettingsFile(150, own);
    app.choose({});
    app.click(QStringLiteral("btnAddTVR"));
    QWidget* dialog = app.window(QStringLiteral("TfrmAddTVR"));
    app.type(QStringLiteral("txtTVRADR"), QStringLiteral("150"), dialog);
    app.click(QStringLiteral("btnAdd"), dialog);
    EXPECT_EQ(app.unitCaptions(), QStringList{QStringLiteral("TVR (150)")});
    EXPECT_EQ(app.settingsFileContent(150), own);
}

TEST(RemoveUnit, ConfirmedRemovalMovesTheFileToTheBackupsAndChoosesVeldar) {
    UnitsApp app;
    app.putSettingsFile(101);
    app.putSettingsFile(130);
    app.setSetting(QStringLiteral("Offline"), QStringLiteral("Y"));
    app.startLoggedIn();
    app.main().workspace().tree()->expandAll();
    QTreeWidgetItem* unit = app.node({QStringLiteral("TVR (101)")});
    ASSERT_EQ(popupOffers(app, unit), QStringList{QStringLiteral("pumDeleteTVR")});

    app.answerBox(QStringLiteral("Вы действительно хотите удалить TVR из системы?"), platform::Answer::No);
    app.main().workspace().deleteUnitItem()->trigger();
    EXPECT_EQ(app.unitCaptions().size(), 2);
    EXPECT_TRUE(app.hasSettingsFile(101));

    app.answerBox(QStringLiteral("Вы действительно хотите удалить TVR из системы?"), platform::Answer::Yes);
    app.main().workspace().deleteUnitItem()->trigger();
    EXPECT_EQ(app.lastBox().icon, platform::Icon::Information);
    EXPECT_EQ(app.unitCaptions(), QStringList{QStringLiteral("TVR (130)")});
    EXPECT_FALSE(app.hasSettingsFile(101));
    EXPECT_EQ(app.backups(), QStringList{QStringLiteral("TVR101_SETTINGS_BACKUP(09_12_2013__14_05_34).BIN")});
    EXPECT_EQ(app.title(), QStringLiteral("     VELDAR"));
    EXPECT_EQ(app.shownPage(), QStringLiteral("PanelVELDAR"));
}
