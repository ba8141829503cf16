#include "programmerapp.h"

#include "programmerdlg.h"

namespace burnet {

CProgrammerApp::CProgrammerApp(const Services& services)
    : services_(services), profile_(services.registry, settings::kRootKey) {}

CProgrammerApp::~CProgrammerApp() = default;

bool CProgrammerApp::InitInstance() {
    dialog_ = std::make_unique<CProgrammerDlg>(services_, profile_);
    if (!dialog_->OnInitDialog()) return false;
    dialog_->show();
    return true;
}

}  // namespace burnet
