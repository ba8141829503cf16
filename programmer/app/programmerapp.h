#pragma once

#include "profile.h"
#include "services.h"

#include <memory>

namespace burnet {

class CProgrammerDlg;

// The application object: settings under Software\Halvard\Burnet and the main window. The
// program ends when that window closes (the application's last window).
class CProgrammerApp {
public:
    explicit CProgrammerApp(const Services& services);
    ~CProgrammerApp();
    CProgrammerApp(const CProgrammerApp&) = delete;
    CProgrammerApp& operator=(const CProgrammerApp&) = delete;

    // Creates and shows the main window; false when the program ends at once (no programmer).
    bool InitInstance();

    Profile& profile() { return profile_; }
    CProgrammerDlg* mainWindow() const { return dialog_.get(); }

private:
    const Services& services_;
    Profile profile_;
    std::unique_ptr<CProgrammerDlg> dialog_;
};

}  // namespace burnet
