#include "mainform.h"

#include "calendar_page.h"
#include "caption_page.h"
#include "common_settings_page.h"
#include "eventlog.h"
#include "log_line.h"
#include "log_pane.h"
#include "panel_header.h"
#include "program_icon.h"
#include "sensor_page.h"
#include "status_panels.h"
#include "cp1251_validator.h"
#include "tartab_page.h"
#include "unit_page.h"
#include "user_rules.h"
#include "veldar_page.h"
#include "workspace.h"

#include "configurator/config/channel_constants_tab.h"
#include "configurator/link/terminal_page.h"
#include "configurator/protocol/answer_waits.h"
#include "configurator/image/image_layout.h"
#include "configurator/image/whole_unit.h"
#include "configurator/measure/channel_polling.h"
#include "configurator/protocol/address_change.h"
#include "configurator/protocol/discovery.h"
#include "configurator/protocol/presence.h"
#include "configurator/protocol/unit_roster.h"
#include "configurator/protocol/unit_status.h"

#include "platform/fs/files.h"
#include "platform/timing/scheduler.h"

#include "platform/text/locale.h"
#include "platform/ui/dialogs.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QSplitterHandle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace veldar {
namespace {

const QColor kCream(255, 251, 240);
const QString kOfflineText = QStringLiteral("Автономная работа");
constexpr int kTxLampMs = 100;
constexpr int kRxLampMs = 100;
constexpr int kCrcLampMs = 500;
// The unit's acknowledgement that does not answer any one request.
constexpr std::uint8_t kCommandCompleted = 76;

}  // namespace

TMainForm::TMainForm(const Services& services)
    : services_(services),
      settings_(services.registry),
      folders_(settings_, services.log, services.defaultFolderBase),
      users_(services.registry),
      StatusBar1(new StatusPanels(this)),
      TXBar(StatusBar1->lamp(StatusPanels::kTx), services.scheduler, kTxLampMs),
      RXBar(StatusBar1->lamp(StatusPanels::kRx), services.scheduler, kRxLampMs),
      CRCFailedInicator(StatusBar1->lamp(StatusPanels::kCrcFailed), services.scheduler, kCrcLampMs),
      waitSurroundings_{services.log, services.dialogs, this,
                        [this] { return unitContextOf(PanelMain->title()).address; },
                        [this] { PanelMain->release(); }},
      WaitAnsewerTimer(waits::kGeneral, services.scheduler, waitSurroundings_),
      CheckRSConnectOnStartProg(services.scheduler, kOneShotMs, [this] { CheckRSConnectOnStartProgTimer(); }),
      RestoreTimer(services.scheduler, kOneShotMs, [this] { RestoreTimerTimer(); }),
      DateTimeTimer(services.scheduler, kDateTimeMs),
      TimerSetFocusOnTreeView(services.scheduler, kFocusTreeMs, [this] { TimerSetFocusOnTreeViewTimer(); }),
      port_(services.ports, services.dialogs, TXBar, this),
      terminal_(port_, settings_, *StatusBar1, services.log, services.dialogs, WaitAnsewerTimer.timer(), this),
      sender_(port_, services.scheduler, WaitAnsewerTimer.timer(), services.log, services.dialogs, this),
      dispatcher_(services.log, WaitAnsewerTimer.timer(), CRCFailedInicator, [this] { return PanelMain->title(); }),
      receivePath_(port_, services.scheduler, RXBar, CRCFailedInicator,
                   [this](const QByteArray& line) { dispatcher_.dispatch(line); }),
      settingsFile_(folders_, services.log, services.dialogs, services.clock, this),
      signatureAnswers_(signatureRegisters_, services.log, services.dialogs, this) {
    setObjectName(QStringLiteral("TMainForm"));
    setWindowTitle(kCaption);
    setWindowIcon(programIcon());
    setMinimumSize(kMinWidth, kMinHeight);
    QPalette cream = palette();
    cream.setColor(QPalette::Window, kCream);
    setPalette(cream);
    setAutoFillBackground(true);

    buildMenu();
    setStatusBar(StatusBar1);

    PanelMain = new Workspace;
    PanelMain->hide();
    auto* clientArea = new QWidget;
    auto* clientLayout = new QGridLayout(clientArea);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    clientLayout->addWidget(buildLogin(), 0, 0, Qt::AlignCenter);
    clientLayout->addWidget(PanelMain, 0, 0);

    logSplitter_ = new QSplitter(Qt::Vertical);
    logSplitter_->addWidget(clientArea);
    logSplitter_->addWidget(buildLogPanel());
    logSplitter_->handle(1)->setObjectName(QStringLiteral("AdvSplitter1"));
    logSplitter_->setStretchFactor(0, 1);
    logSplitter_->setStretchFactor(1, 0);
    logSplitter_->setChildrenCollapsible(false);
    setCentralWidget(logSplitter_);

    services_.log.setDialogParent(this);
    services_.log.setPane([this](const QString& line, int kind) { reLOG->appendLine(line, kind); });

    // The start-up order matters to what the log and the settings show.
    decimalSeparator_ = services_.locale.decimalSeparator;
    for (int id = 0; id < kUserSlots; ++id)
        if (users_.load(id)) cbUserName->addItem(users_.user(id).login);
    cbUserName->setCurrentIndex(-1);
    readOffline();
    folders_.load();
    terminal_.loadWaitAnsewer();
    if (const auto history = services_.log.history()) reLOG->showHistory(*history);
    services_.log.log(kLogMessage, QStringLiteral("Запуск программы."));
    installPages();
    roster_ = std::make_unique<UnitRoster>(*PanelMain, settingsFile_, services_.log, services_.dialogs, this);
    connect(PanelMain->deleteUnitItem(), &QAction::triggered, this, [this] { roster_->removeChosen(); });
    presence_ = std::make_unique<Presence>(sender_, dispatcher_, services_.scheduler, waitSurroundings_);
    unitStatus_ = std::make_unique<UnitStatus>(sender_, dispatcher_, *presence_, *PanelMain, *unitPage_,
                                               *commonSettingsPage_, services_.log, services_.scheduler,
                                               waitSurroundings_, TimerSetFocusOnTreeView);
    addressChange_ = std::make_unique<AddressChange>(AddressChange::Parts{
        sender_, dispatcher_, *presence_, *PanelMain, settingsFile_, imageBuffer_, services_.log, services_.dialogs,
        services_.scheduler, waitSurroundings_, this});
    polling_ = std::make_unique<ChannelPolling>(ChannelPolling::Surroundings{
        sender_, dispatcher_, services_.scheduler, waitSurroundings_, [this] { PanelMain->hold(); },
        [this](std::uint8_t mask) { unitPage_->showPolling(mask); }});
    dispatcher_.route(kCommandCompleted, [this](const Answer&) { commandCompleted(); });
}

void TMainForm::useWindows(TfrmProgressBar& progress, TfrmSearchTVRProgress& searchProgress) {
    wholeUnit_ = std::make_unique<WholeUnit>(WholeUnit::Parts{
        sender_, dispatcher_, receivePath_, *PanelMain, settingsFile_, signatureAnswers_, imageBuffer_, progress,
        services_.log, services_.dialogs, services_.scheduler, waitSurroundings_, this});
    discovery_ = std::make_unique<Discovery>(*presence_, *wholeUnit_, *PanelMain, searchProgress, services_.log,
                                             services_.dialogs, this);
    connect(unitPage_->readAllButton(), &QPushButton::clicked, this, [this] { wholeUnit_->btnReadAllSettingsTVRClick(); });
    connect(unitPage_->writeAllButton(), &QPushButton::clicked, this, [this] { wholeUnit_->btnWriteAllSettingsTVRClick(); });
    connect(unitPage_->signaturesAllButton(), &QPushButton::clicked, this,
            [this] { wholeUnit_->btnSignaturesAllSettingsTVRClick(); });
    connect(veldarPage_->detectButton(), &QPushButton::clicked, this, [this] { discovery_->btnCheckTVRAddressClick(); });
}

void TMainForm::installPages() {
    Workspace& w = *PanelMain;
    veldarPage_ = new VeldarPage;
    auto* terminalPage = new TerminalPage(terminal_);
    unitPage_ = new UnitPage;
    channelPage_ = new CaptionPage(QStringLiteral("PanelChannel"), QString());
    sensorPage_ = new SensorPage(
        PageSurroundings{sender_, dispatcher_, settingsFile_, signatureRegisters_, signatureAnswers_, services_.log,
                         services_.dialogs, this, [this] { return unitContextOf(PanelMain->title()); }},
        decimalSeparator_);
    auto* relayPage = new QWidget;
    relayPage->setObjectName(QStringLiteral("PanelRelaySettings"));
    commonSettingsPage_ = new CommonSettingsPage;
    w.setPage(Workspace::kVELDAR, veldarPage_);
    w.setPage(Workspace::kRSSettings, terminalPage);
    w.setPage(Workspace::kTVR, unitPage_);
    w.setPage(Workspace::kMeasuringChannels,
              new CaptionPage(QStringLiteral("PanelMeasuringChannels"),
                              QStringLiteral("Выберите изметрительный канал для настройки")));
    w.setPage(Workspace::kChannel, channelPage_);
    w.setPage(Workspace::kSensorSettings, sensorPage_);
    w.setPage(Workspace::kTarTab, new TarTabPage);
    w.setPage(Workspace::kRelaySettings, relayPage);
    w.setPage(Workspace::kCalendar, new CalendarPage);
    w.setPage(Workspace::kTVRCommonSettings, commonSettingsPage_);

    connect(&w, &Workspace::pageShown, this, [this](int number) {
        sensorPage_->channelQuery()->setChecked(false);
        DateTimeTimer.setEnabled(number == Workspace::kCalendar);
    });
    const auto shows = [&w](int number) { return [&w, number](const QString&) { w.showPage(number); }; };
    w.setNodeAction(NodeKind::VELDAR, shows(Workspace::kVELDAR));
    w.setNodeAction(NodeKind::Terminal, [&w, terminalPage](const QString&) {
        terminalPage->fill();
        w.showPage(Workspace::kRSSettings);
    });
    w.setNodeAction(NodeKind::MeasuringChannels, shows(Workspace::kMeasuringChannels));
    w.setNodeAction(NodeKind::Channel, [this, &w](const QString& caption) {
        channelPage_->setCaption(caption);
        w.showPage(Workspace::kChannel);
    });
    w.setNodeAction(NodeKind::Sensor, [this](const QString&) { showSensorPage(); });
    w.setNodeAction(NodeKind::TarTab, shows(Workspace::kTarTab));
    w.setNodeAction(NodeKind::Relay, shows(Workspace::kRelaySettings));
    w.setNodeAction(NodeKind::Calendar, shows(Workspace::kCalendar));
    w.setNodeAction(NodeKind::CommonSettings, [this](const QString&) { showCommonSettings(); });
    w.setNodeAction(NodeKind::Unit, [this](const QString& caption) { showUnitPage(caption); });
}

void TMainForm::showUnitPage(const QString& caption) {
    unitPage_->showUnknown();
    const auto address = unitOfCaption(caption);
    if (address && !offline()) unitStatus_->askVersion(*address);
    PanelMain->showPage(Workspace::kTVR);
}

// Only the general answer timer watches this request, and the window stays usable.
void TMainForm::showCommonSettings() {
    PanelMain->showPage(Workspace::kTVRCommonSettings);
    if (const auto address = PanelMain->currentUnit()) unitStatus_->askGasPressureTab(*address);
}

// Opening a sensor page also makes its unit poll that one channel only.
void TMainForm::showSensorPage() {
    const std::optional<int> address = PanelMain->currentUnit();
    const std::optional<int> channel = PanelMain->currentChannel();
    if (address && channel) {
        sensorPage_->constantsTab().load(*address, *channel);
        if (!offline()) polling_->request(*address, static_cast<std::uint8_t>(1u << (*channel - 1)), true);
    }
    sensorPage_->showNotPolled();
    PanelMain->showPage(Workspace::kSensorSettings);
}

TMainForm::~TMainForm() {
    services_.log.setPane({});
    services_.log.setDialogParent(nullptr);
}

void TMainForm::buildMenu() {
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    const auto item = [](QMenu* menu, const QString& text, const char* name) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    QMenu* MMSys = menuBar()->addMenu(QStringLiteral("Система"));
    MMSys->setObjectName(QStringLiteral("MMSys"));
    connect(item(MMSys, QStringLiteral("Выход"), "MMExit"), &QAction::triggered, this, [this] { services_.quit(); });

    N9 = menuBar()->addMenu(QStringLiteral("Настройка"));
    N9->setObjectName(QStringLiteral("N9"));
    N9->menuAction()->setVisible(false);
    item(N9, QStringLiteral("Пути к файлам"), "mmPathSettings");
    N9->addSeparator()->setObjectName(QStringLiteral("N1"));
    MMOfflineRegime = item(N9, QStringLiteral("Автономная работа"), "MMOfflineRegime");
    MMOfflineRegime->setCheckable(true);
    connect(MMOfflineRegime, &QAction::triggered, this, [this](bool checked) { MMOfflineRegimeClick(checked); });
    item(N9, QStringLiteral("Мониторинг линии связи"), "MMRSMonitor");
    N3 = N9->addSeparator();
    N3->setObjectName(QStringLiteral("N3"));
    N3->setVisible(false);
    N4 = N9->addMenu(QStringLiteral("Пользователи"));
    N4->setObjectName(QStringLiteral("N4"));
    N4->menuAction()->setVisible(false);
    item(N4, QStringLiteral("Добавить нового пользователя"), "MMAddUser");
    item(N4, QStringLiteral("Редактировать список пользователей"), "MMEditUser");

    QMenu* N2 = menuBar()->addMenu(QStringLiteral("?"));
    N2->setObjectName(QStringLiteral("N2"));
    item(N2, QStringLiteral("О программе"), "N5");
}

QWidget* TMainForm::buildLogin() {
    gbLogIn = new QGroupBox(QStringLiteral("Авторизация пользователя"));
    gbLogIn->setObjectName(QStringLiteral("gbLogIn"));
    cbUserName = new QComboBox;
    cbUserName->setObjectName(QStringLiteral("cbUserName"));
    cbUserName->setEditable(true);
    cbUserName->setInsertPolicy(QComboBox::NoInsert);
    cbUserName->setValidator(new Cp1251Validator(cbUserName));
    txtMaskPassword = new QLineEdit;
    txtMaskPassword->setObjectName(QStringLiteral("txtMaskPassword"));
    txtMaskPassword->setEchoMode(QLineEdit::Password);
    txtMaskPassword->setValidator(new Cp1251Validator(txtMaskPassword));
    btnEnter = new QPushButton(QStringLiteral("Вход"));
    btnEnter->setObjectName(QStringLiteral("btnEnter"));

    auto* grid = new QGridLayout(gbLogIn);
    grid->addWidget(new QLabel(QStringLiteral("Логин")), 0, 0);
    grid->addWidget(cbUserName, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Пароль")), 1, 0);
    grid->addWidget(txtMaskPassword, 1, 1);
    grid->addWidget(btnEnter, 2, 1, Qt::AlignRight);
    gbLogIn->setFixedWidth(300);

    connect(btnEnter, &QPushButton::clicked, this, [this] { btnEnterClick(); });
    connect(txtMaskPassword, &QLineEdit::returnPressed, btnEnter, &QPushButton::click);
    return gbLogIn;
}

QWidget* TMainForm::buildLogPanel() {
    PanelLog = new QWidget;
    PanelLog->setObjectName(QStringLiteral("PanelLog"));
    reLOG = new LogPane;
    auto* layout = new QVBoxLayout(PanelLog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panelHeader(QStringLiteral("     Журнал событий")));
    layout->addWidget(reLOG);
    PanelLog->hide();
    return PanelLog;
}

QAction* TMainForm::menuItem(const QString& name) const {
    if (auto* menu = findChild<QMenu*>(name)) return menu->menuAction();
    return findChild<QAction*>(name);
}

bool TMainForm::offline() const { return MMOfflineRegime->isChecked(); }

void TMainForm::readOffline() {
    const bool on = settings_.read(Settings::kOffline) == QLatin1String("Y");
    if (!on) settings_.write(Settings::kOffline, QStringLiteral("N"));
    MMOfflineRegime->setChecked(on);
    StatusBar1->setText(StatusPanels::kOffline, on ? kOfflineText : QString());
}

void TMainForm::MMOfflineRegimeClick(bool checked) {
    settings_.write(Settings::kOffline, checked ? QStringLiteral("Y") : QStringLiteral("N"));
    StatusBar1->setText(StatusPanels::kOffline, checked ? kOfflineText : QString());
}

void TMainForm::btnEnterClick() {
    const LoginResult result = checkLogin(users_.table(), cbUserName->currentText(), txtMaskPassword->text());
    if (result.outcome != LoginOutcome::Accepted) {
        services_.dialogs.message(this, QStringLiteral("ОШИБКА"),
                                  result.outcome == LoginOutcome::UnknownUser
                                      ? QStringLiteral("Неверное имя пользователя")
                                      : QStringLiteral("Неверный пароль"),
                                  platform::Icon::Error);
        return;
    }
    const UserRecord& user = users_.user(result.id);
    const QString caption = windowTitle() + userCaptionSuffix(user, result.id);
    // The workspace takes the login box's place for the rest of the run.
    gbLogIn->hide();
    PanelLog->show();
    PanelMain->show();
    logSplitter_->setSizes({logSplitter_->height() - kLogHeight, kLogHeight});
    N9->menuAction()->setVisible(true);
    if (result.id == kAdministrator) {
        N4->menuAction()->setVisible(true);
        N3->setVisible(true);
    }
    setWindowTitle(caption);
    CheckRSConnectOnStartProg.start();
    services_.log.log(kLogMessage, QStringLiteral("Авторизован пользователь ") + user.login);
    currentUser_ = result.id;
}

void TMainForm::CheckRSConnectOnStartProgTimer() {
    CheckRSConnectOnStartProg.stop();
    terminal_.startupCheck();
    RestoreTimer.start();
}

void TMainForm::RestoreTimerTimer() {
    RestoreTimer.stop();
    rebuildTree();
}

// Units appear in the order of their addresses, one for every settings image file.
void TMainForm::rebuildTree() {
    PanelMain->resetTree();
    PanelMain->setBusy(true);
    for (int address = 0; address <= 255; ++address) {
        QCoreApplication::processEvents();
        if (settingsFile_.exists(address)) PanelMain->addUnitNode(address);
        services_.scheduler.sleep(1);
    }
    PanelMain->setBusy(false);
}

void TMainForm::TimerSetFocusOnTreeViewTimer() {
    TimerSetFocusOnTreeView.stop();
    PanelMain->tree()->setFocus();
}

void TMainForm::commandCompleted() {
    services_.dialogs.message(this, QStringLiteral("VELDAR"), QStringLiteral("Команда выполнена"),
                              platform::Icon::Information);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    services_.log.log(kLogMessage, currentUser_ < 0 ? QStringLiteral("Завершение работты программы.")
                                                    : QStringLiteral("Пользователь ") + users_.user(currentUser_).login +
                                                          QStringLiteral(" завершил работу программы."));
    event->accept();
    services_.quit();
}

}  // namespace veldar
