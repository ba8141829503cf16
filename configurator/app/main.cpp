// ConfigVELDAR: the operator's configurator for TVR units.
#include "eventlog.h"
#include "mainform.h"
#include "program.h"
#include "program_icon.h"
#include "services.h"

#include "platform/process/termination.h"
#include "platform/registry/registry.h"
#include "platform/serial/port_map.h"
#include "platform/serial/posix_serial_port.h"
#include "platform/text/locale.h"
#include "platform/timing/clock.h"
#include "platform/timing/qt_scheduler.h"
#include "platform/ui/qt_dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QStandardPaths>

#include <exception>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ConfigVELDAR"));
    // The program's title for the desktop: Qt shows it after each window's own caption.
    QApplication::setApplicationDisplayName(QStringLiteral("Конфигуратор системы VELDAR v4.4"));
    QApplication::setWindowIcon(veldar::programIcon());
    platform::quitOnTerminationSignals();
    try {
        platform::QtScheduler scheduler;
        platform::SystemClock clock;
        platform::QtDialogs dialogs;
        platform::Registry registry(platform::Registry::defaultRoot());
        platform::PortMap portMap(registry);
        platform::PosixSerialPortFactory ports(portMap);
        const platform::Locale locale = platform::Locale::fromEnvironment();
        veldar::EventLog log(clock, locale, dialogs);
        const veldar::Services services{
            scheduler,
            clock,
            dialogs,
            registry,
            ports,
            locale,
            log,
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/VELDAR"),
            veldar::leaveEventLoop,
        };
        veldar::Program program(services);
        program.mainForm().showMaximized();
        return QApplication::exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("ConfigVELDAR"), QString::fromLocal8Bit(e.what()));
        return 1;
    }
}
