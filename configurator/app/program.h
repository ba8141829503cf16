#pragma once

#include "services.h"

#include <memory>

namespace veldar {

class TAboutBox;
class TChangeAdrBOForm;
class TDataRSForm;
class TMainForm;
class TfrmAddTVR;
class TfrmEditUser;
class TfrmPathSettings;
class TfrmProgressBar;
class TfrmSearchTVRProgress;
class TfrmSearchTVRSettings;
class TfrmSetLiquidType;
class TfrmSetSensorRegime;
class TfrmUsersCreate;

// The program's windows, made once in their fixed order and kept for the whole run; only
// the main window is shown at start. The others belong to the main window and are reached
// through its menu and pages.
class Program {
public:
    explicit Program(const Services& services);
    ~Program();

    TMainForm& mainForm() { return *mainForm_; }
    TAboutBox& aboutBox() { return *aboutBox_; }
    TfrmAddTVR& addTvr() { return *addTvr_; }
    TChangeAdrBOForm& changeAdrBo() { return *changeAdrBo_; }
    TfrmEditUser& editUser() { return *editUser_; }
    TfrmUsersCreate& usersCreate() { return *usersCreate_; }
    TfrmProgressBar& progressBar() { return *progressBar_; }
    TDataRSForm& dataRs() { return *dataRs_; }
    TfrmSearchTVRProgress& searchProgress() { return *searchProgress_; }
    TfrmSearchTVRSettings& searchSettings() { return *searchSettings_; }
    TfrmSetLiquidType& setLiquidType() { return *setLiquidType_; }
    TfrmPathSettings& pathSettings() { return *pathSettings_; }
    TfrmSetSensorRegime& setSensorRegime() { return *setSensorRegime_; }

private:
    std::unique_ptr<TMainForm> mainForm_;
    TAboutBox* aboutBox_;
    TfrmAddTVR* addTvr_;
    TChangeAdrBOForm* changeAdrBo_;
    TfrmEditUser* editUser_;
    TfrmUsersCreate* usersCreate_;
    TfrmProgressBar* progressBar_;
    TDataRSForm* dataRs_;
    TfrmSearchTVRProgress* searchProgress_;
    TfrmSearchTVRSettings* searchSettings_;
    TfrmSetLiquidType* setLiquidType_;
    TfrmPathSettings* pathSettings_;
    TfrmSetSensorRegime* setSensorRegime_;
};

// The real program's end: leaves the event loop without closing the windows. Qt's quit()
// would close them first, and closing the main window writes the closing log line, which
// leaving by "Выход" must not.
void leaveEventLoop();

}  // namespace veldar
