#include "program.h"

#include "aboutbox.h"
#include "edituser.h"
#include "mainform.h"
#include "newuser.h"
#include "sensor_page.h"
#include "setpaths.h"
#include "unit_page.h"
#include "veldar_page.h"
#include "workspace.h"

#include "configurator/config/constant_rows.h"
#include "configurator/config/setliquidtype.h"
#include "configurator/config/setsensorregime.h"
#include "configurator/link/rsmonitor.h"
#include "configurator/protocol/addtvr.h"
#include "configurator/protocol/discovery.h"
#include "configurator/protocol/changeadrbo.h"
#include "configurator/protocol/progressbar.h"
#include "configurator/protocol/searchtvrprogress.h"
#include "configurator/protocol/searchtvrsettings.h"

#include <QAction>
#include <QCoreApplication>
#include <QPushButton>

namespace veldar {

Program::Program(const Services& services) : mainForm_(std::make_unique<TMainForm>(services)) {
    TMainForm* main = mainForm_.get();
    aboutBox_ = new TAboutBox(main);
    addTvr_ = new TfrmAddTVR(main->roster(), main);
    changeAdrBo_ = new TChangeAdrBOForm(main->addressChange(), main);
    editUser_ = new TfrmEditUser(main->users(), services.dialogs, main);
    usersCreate_ = new TfrmUsersCreate(main->users(), services.dialogs, main);
    progressBar_ = new TfrmProgressBar(main);
    dataRs_ = new TDataRSForm(main);
    main->receivePath().setMonitor(dataRs_);
    searchProgress_ = new TfrmSearchTVRProgress(main);
    searchSettings_ = new TfrmSearchTVRSettings(main);
    setLiquidType_ = new TfrmSetLiquidType(main);
    pathSettings_ = new TfrmPathSettings(main->folders(), services.dialogs, main);
    setSensorRegime_ = new TfrmSetSensorRegime(main);
    main->useWindows(*progressBar_, *searchProgress_);

    const auto opens = [](auto* sender, auto signal, QWidget* window) {
        QObject::connect(sender, signal, window, [window] {
            window->show();
            window->raise();
            window->activateWindow();
        });
    };
    const auto menu = [main](const char* item) { return main->menuItem(QString::fromLatin1(item)); };
    opens(menu("N5"), &QAction::triggered, aboutBox_);
    opens(menu("mmPathSettings"), &QAction::triggered, pathSettings_);
    opens(menu("MMRSMonitor"), &QAction::triggered, dataRs_);
    opens(menu("MMAddUser"), &QAction::triggered, usersCreate_);
    opens(menu("MMEditUser"), &QAction::triggered, editUser_);
    opens(main->workspace().addUnitItem(), &QAction::triggered, addTvr_);
    opens(main->veldarPage().addButton(), &QPushButton::clicked, addTvr_);
    opens(main->veldarPage().searchButton(), &QPushButton::clicked, searchSettings_);
    opens(main->unitPage().changeAddressButton(), &QPushButton::clicked, changeAdrBo_);
    QObject::connect(searchSettings_, &TfrmSearchTVRSettings::searchRequested, main,
                     [main](int first, int last, bool notify) { main->discovery().startSearch(first, last, notify); });

    ConstantRows* rows = main->sensorPage().constantRows();
    setSensorRegime_->setRegimeEdit(rows->edit(kRegimeRow));
    setLiquidType_->setLiquidEdit(rows->edit(kLiquidRow));
    opens(rows, &ConstantRows::SetRegimeClick, setSensorRegime_);
    opens(rows, &ConstantRows::SetLiquidTypeClick, setLiquidType_);
    QObject::connect(setSensorRegime_, &TfrmSetSensorRegime::regimeChanged, rows, [rows] { rows->layOutForRegime(); });
}

Program::~Program() = default;

void leaveEventLoop() { QCoreApplication::exit(0); }

}  // namespace veldar
