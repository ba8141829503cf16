#include "program.h"

#include "aboutbox.h"
#include "edituser.h"
#include "mainform.h"
#include "newuser.h"
#include "sensor_page.h"
#include "setpaths.h"

#include "configurator/config/constant_rows.h"
#include "configurator/config/setliquidtype.h"
#include "configurator/config/setsensorregime.h"
#include "configurator/link/rsmonitor.h"
#include "configurator/protocol/addtvr.h"
#include "configurator/protocol/changeadrbo.h"
#include "configurator/protocol/progressbar.h"
#include "configurator/protocol/searchtvrprogress.h"
#include "configurator/protocol/searchtvrsettings.h"

#include <QAction>

namespace veldar {

Program::Program(const Services& services) : mainForm_(std::make_unique<TMainForm>(services)) {
    TMainForm* main = mainForm_.get();
    aboutBox_ = new TAboutBox(main);
    addTvr_ = new TfrmAddTVR(main);
    changeAdrBo_ = new TChangeAdrBOForm(main);
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

    const auto bringUp = [](QWidget* window) {
        window->show();
        window->raise();
        window->activateWindow();
    };
    const auto opens = [main, bringUp](const char* item, QWidget* window) {
        QObject::connect(main->menuItem(QString::fromLatin1(item)), &QAction::triggered, window,
                         [window, bringUp] { bringUp(window); });
    };
    opens("N5", aboutBox_);
    opens("mmPathSettings", pathSettings_);
    opens("MMRSMonitor", dataRs_);
    opens("MMAddUser", usersCreate_);
    opens("MMEditUser", editUser_);

    ConstantRows* rows = main->sensorPage().constantRows();
    setSensorRegime_->setRegimeEdit(rows->edit(kRegimeRow));
    setLiquidType_->setLiquidEdit(rows->edit(kLiquidRow));
    QObject::connect(rows, &ConstantRows::regimeClicked, setSensorRegime_,
                     [this, bringUp] { bringUp(setSensorRegime_); });
    QObject::connect(rows, &ConstantRows::liquidClicked, setLiquidType_, [this, bringUp] { bringUp(setLiquidType_); });
    QObject::connect(setSensorRegime_, &TfrmSetSensorRegime::regimeChanged, rows, [rows] { rows->layOutForRegime(); });
}

Program::~Program() = default;

}  // namespace veldar
