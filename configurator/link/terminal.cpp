#include "terminal.h"

#include "comport.h"
#include "line_parameters.h"

#include "configurator/app/eventlog.h"
#include "configurator/app/log_line.h"
#include "configurator/app/settings.h"
#include "configurator/app/status_panels.h"

#include "platform/timing/timer.h"
#include "platform/ui/dialogs.h"

namespace veldar {
namespace {
const QString kNoRate = QStringLiteral("----");
}

Terminal::Terminal(ComPort& port, Settings& settings, StatusPanels& status, EventLog& log,
                   platform::Dialogs& dialogs, platform::Timer& waitAnsewerTimer, QWidget* dialogParent)
    : port_(port),
      settings_(settings),
      status_(status),
      log_(log),
      dialogs_(dialogs),
      waitAnsewerTimer_(waitAnsewerTimer),
      dialogParent_(dialogParent) {}

void Terminal::loadWaitAnsewer() {
    const int seconds = waitAnsewerSeconds(settings_.read(Settings::kWaitAnsewer)).value_or(kDefaultWaitAnsewerSeconds);
    waitAnsewerTimer_.setInterval(seconds * 1000);
}

void Terminal::startupCheck() {
    const QString name = settings_.read(Settings::kCurrCommAtStart);
    const int baudRate = kBaudRates[static_cast<std::size_t>(baudIndexOf(settings_.read(Settings::kBaudRate)))];
    // A first run has no port stored yet, which is the same as none chosen.
    if (name.isEmpty() || name == kNoPort) {
        noPortChosen();
        return;
    }
    const bool opened = port_.open(name, baudRate);
    log_.log(kLogMessage, (opened ? QStringLiteral("Открыт порт ") : QStringLiteral("Не удалось открыть порт ")) + name);
    report(name, baudRate, opened);
}

void Terminal::apply(const Choice& choice) {
    if (port_.isOpen()) port_.close();
    const int baudIndex = choice.baudIndex >= 0 && choice.baudIndex < static_cast<int>(kBaudRates.size())
                              ? choice.baudIndex
                              : kDefaultBaudIndex;
    const int baudRate = kBaudRates[static_cast<std::size_t>(baudIndex)];
    if (choice.portIndex < 0 || choice.portIndex >= kPortCount) {
        noPortChosen();
    } else {
        const QString name = portNames().at(choice.portIndex);
        const bool opened = port_.open(name, baudRate);
        if (opened) settings_.write(Settings::kCurrComm, name);
        report(name, baudRate, opened);
    }
    const auto seconds = waitAnsewerSeconds(choice.waitAnsewer);
    waitAnsewerTimer_.setInterval(seconds.value_or(kDefaultWaitAnsewerSeconds) * 1000);
    settings_.write(Settings::kWaitAnsewer,
                    seconds ? choice.waitAnsewer : QString::number(kDefaultWaitAnsewerSeconds));
    settings_.write(Settings::kBaudRate, QString::number(baudIndex));
}

Terminal::Choice Terminal::stored() {
    Choice c;
    c.portIndex = portIndexOf(settings_.read(Settings::kCurrComm));
    c.baudIndex = baudIndexOf(settings_.read(Settings::kBaudRate));
    const QString wait = settings_.read(Settings::kWaitAnsewer);
    c.waitAnsewer = waitAnsewerSeconds(wait) ? wait : QString::number(kDefaultWaitAnsewerSeconds);
    return c;
}

void Terminal::report(const QString& name, int baudRate, bool opened) {
    if (opened) {
        status_.showPort(name, QString::number(baudRate));
        dialogs_.message(dialogParent_, QStringLiteral("VELDAR"), QStringLiteral("Порт ") + name + QStringLiteral(" успешно открыт!"),
                         platform::Icon::Information);
        return;
    }
    settings_.write(Settings::kCurrComm, kNoPort);
    status_.showPort(kNoPort, kNoRate);
    dialogs_.message(dialogParent_, QStringLiteral("VELDAR"),
                     QStringLiteral("Не удалось открыть порт ") + name +
                         QStringLiteral("! Порт занят другой программой или отсутствует!"),
                     platform::Icon::Error);
}

void Terminal::noPortChosen() {
    settings_.write(Settings::kCurrComm, kNoPort);
    status_.showPort(kNoPort, kNoRate);
    dialogs_.message(dialogParent_, QStringLiteral("VELDAR"), QStringLiteral("Порт для связи не был выбран!"),
                     platform::Icon::Error);
}

}  // namespace veldar
