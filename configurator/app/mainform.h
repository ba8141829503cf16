#pragma once

#include "folders.h"
#include "services.h"
#include "settings.h"
#include "users.h"

#include "configurator/image/readwritesettingsfile.h"
#include "configurator/image/signatures.h"
#include "configurator/link/comport.h"
#include "configurator/link/indicator.h"
#include "configurator/link/receive_path.h"
#include "configurator/link/sender.h"
#include "configurator/link/terminal.h"
#include "configurator/protocol/answer_wait.h"
#include "configurator/protocol/dispatcher.h"

#include "platform/timing/timer.h"

#include <QMainWindow>

#include <memory>

class QAction;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QSplitter;

namespace veldar {

class AddressChange;
class CaptionPage;
class ChannelPolling;
class CommonSettingsPage;
class Discovery;
class LogPane;
class SensorPage;
class StatusPanels;
class Presence;
class TfrmProgressBar;
class TfrmSearchTVRProgress;
class UnitPage;
class UnitRoster;
class UnitStatus;
class VeldarPage;
class WholeUnit;
class Workspace;

// `TMainForm`: owns the run-time state of the program (settings, folders, users, the port,
// the timers) and composes the login box, the workspace with its pages, the log pane and
// the status bar. The other windows are made by Program and reached through the menu.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    static inline const QString kCaption = QStringLiteral("Настройка и отладка системы VELDAR v4.4");
    static constexpr int kMinWidth = 1200;
    static constexpr int kMinHeight = 744;
    static constexpr int kLogHeight = 100;
    static constexpr int kOneShotMs = 500;
    static constexpr int kDateTimeMs = 1000;
    static constexpr int kFocusTreeMs = 5;

    explicit TMainForm(const Services& services);
    ~TMainForm() override;

    const Services& services() const { return services_; }
    Settings& settings() { return settings_; }
    WorkingFolders& folders() { return folders_; }
    UserStore& users() { return users_; }
    ComPort& port() { return port_; }
    Workspace& workspace() { return *PanelMain; }
    StatusPanels& statusPanels() { return *StatusBar1; }
    SensorPage& sensorPage() { return *sensorPage_; }
    platform::Timer& waitAnsewerTimer() { return WaitAnsewerTimer.timer(); }
    Sender& sender() { return sender_; }
    Dispatcher& dispatcher() { return dispatcher_; }
    ReceivePath& receivePath() { return receivePath_; }
    // For the answer timers of the pages.
    const WaitSurroundings& waitSurroundings() const { return waitSurroundings_; }
    UnitPage& unitPage() { return *unitPage_; }
    VeldarPage& veldarPage() { return *veldarPage_; }
    CommonSettingsPage& commonSettingsPage() { return *commonSettingsPage_; }
    // Runs exactly while the calendar page is shown.
    platform::Timer& dateTimeTimer() { return DateTimeTimer; }
    Readwritesettingsfile& settingsFile() { return settingsFile_; }
    UnitRoster& roster() { return *roster_; }
    SignatureRegisters& signatureRegisters() { return signatureRegisters_; }
    SignatureAnswers& signatureAnswers() { return signatureAnswers_; }
    UnitStatus& unitStatus() { return *unitStatus_; }
    AddressChange& addressChange() { return *addressChange_; }
    Discovery& discovery() { return *discovery_; }
    ChannelPolling& polling() { return *polling_; }
    platform::Timer& focusTreeTimer() { return TimerSetFocusOnTreeView; }

    // The windows the transfers and the search show, made after the main window.
    void useWindows(TfrmProgressBar& progress, TfrmSearchTVRProgress& searchProgress);

    // The menu item with this objectName.
    QAction* menuItem(const QString& name) const;
    // −1 until a login succeeds.
    int currentUser() const { return currentUser_; }
    bool offline() const;
    QChar decimalSeparator() const { return decimalSeparator_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenu();
    QWidget* buildLogin();
    QWidget* buildLogPanel();
    void readOffline();
    void installPages();
    void showUnitPage(const QString& caption);
    void showCommonSettings();
    void showSensorPage();
    void rebuildTree();

    void btnEnterClick();
    void MMOfflineRegimeClick(bool checked);
    void CheckRSConnectOnStartProgTimer();
    void RestoreTimerTimer();
    void TimerSetFocusOnTreeViewTimer();
    void commandCompleted();

    Services services_;
    Settings settings_;
    WorkingFolders folders_;
    UserStore users_;
    StatusPanels* StatusBar1;
    Indicator TXBar;
    Indicator RXBar;
    Indicator CRCFailedInicator;
    WaitSurroundings waitSurroundings_;
    AnswerWait WaitAnsewerTimer;
    platform::Timer CheckRSConnectOnStartProg;
    platform::Timer RestoreTimer;
    platform::Timer DateTimeTimer;
    platform::Timer TimerSetFocusOnTreeView;
    ComPort port_;
    Terminal terminal_;
    Sender sender_;
    Dispatcher dispatcher_;
    ReceivePath receivePath_;
    Readwritesettingsfile settingsFile_;
    SignatureRegisters signatureRegisters_;
    SignatureAnswers signatureAnswers_;

    Workspace* PanelMain = nullptr;
    SensorPage* sensorPage_ = nullptr;
    VeldarPage* veldarPage_ = nullptr;
    UnitPage* unitPage_ = nullptr;
    CaptionPage* channelPage_ = nullptr;
    CommonSettingsPage* commonSettingsPage_ = nullptr;
    std::unique_ptr<UnitRoster> roster_;
    // The one in-memory settings image of the whole-unit transfers and the address change.
    QByteArray imageBuffer_;
    std::unique_ptr<Presence> presence_;
    std::unique_ptr<UnitStatus> unitStatus_;
    std::unique_ptr<AddressChange> addressChange_;
    std::unique_ptr<WholeUnit> wholeUnit_;
    std::unique_ptr<Discovery> discovery_;
    std::unique_ptr<ChannelPolling> polling_;
    QWidget* PanelLog = nullptr;
    LogPane* reLOG = nullptr;
    QSplitter* logSplitter_ = nullptr;
    QGroupBox* gbLogIn = nullptr;
    QComboBox* cbUserName = nullptr;
    QLineEdit* txtMaskPassword = nullptr;
    QPushButton* btnEnter = nullptr;
    QMenu* N9 = nullptr;
    QMenu* N4 = nullptr;
    QAction* N3 = nullptr;
    QAction* MMOfflineRegime = nullptr;

    int currentUser_ = -1;
    QChar decimalSeparator_;
};

}  // namespace veldar
