// Burnet: the firmware programmer.
#include "advanceddlg.h"
#include "burnet_icon.h"
#include "programmerapp.h"

#include "platform/process/termination.h"
#include "platform/registry/registry.h"
#include "platform/serial/port_map.h"
#include "platform/serial/posix_serial_port.h"
#include "platform/timing/qt_scheduler.h"
#include "platform/ui/qt_dialogs.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Burnet"));
    QApplication::setWindowIcon(burnet::burnetIcon());
    platform::quitOnTerminationSignals();
    platform::QtScheduler scheduler;
    platform::QtDialogs dialogs;
    platform::Registry registry(platform::Registry::defaultRoot());
    platform::PortMap portMap(registry);
    platform::PosixSerialPortFactory ports(portMap);
    const burnet::Services services{scheduler, dialogs, registry, ports, burnet::OpenAdvancedDialog};
    burnet::CProgrammerApp theApp(services);
    if (!theApp.InitInstance()) return 0;
    return QApplication::exec();
}
