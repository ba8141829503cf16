#include "program.h"

#include "aboutbox.h"
#include "edituser.h"
#include "mainform.h"
#include "newuser.h"
#include "setpaths.h"

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

    const auto opens = [main](const char* item, QWidget* window) {
        QObject::connect(main->menuItem(QString::fromLatin1(item)), &QAction::triggered, window, [window] {
            window->show();
            window->raise();
            window->activateWindow();
        });
    };
    opens("N5", aboutBox_);
    opens("mmPathSettings", pathSettings_);
    opens("MMRSMonitor", dataRs_);
    opens("MMAddUser", usersCreate_);
    opens("MMEditUser", editUser_);
}

Program::~Program() = default;

}  // namespace veldar
