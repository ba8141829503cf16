#pragma once

// ConfigVELDAR as a test drives it: the real windows, offscreen, in virtual time, with
// scripted message boxes, a temporary registry and folders, and ports on in-process wires
// (or, for the few end-to-end cases, real ptys through the port map).

#include "configurator/app/eventlog.h"
#include "configurator/app/program.h"
#include "configurator/app/users.h"

#include "platform/registry/registry.h"
#include "platform/serial/in_process_wire.h"
#include "platform/serial/port_map.h"
#include "platform/serial/posix_serial_port.h"
#include "platform/text/locale.h"
#include "platform/timing/clock.h"
#include "platform/timing/virtual_scheduler.h"
#include "platform/ui/scripted_dialogs.h"

#include "simulators/tvr/line.h"

#include <QColor>
#include <QDateTime>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <vector>

class QAction;

namespace veldar {
class TMainForm;
}

namespace veldartest {

// A device on an in-process wire that keeps what it heard and says what the test tells it.
class RecordingDevice : public platform::SimulatedDevice {
public:
    void attach(platform::HostLink* link) override { link_ = link; }
    void received(const QByteArray& bytes) override { heard_ += bytes; }
    void say(const QByteArray& bytes, int delayMs = 0) {
        if (link_) link_->send(bytes, delayMs);
    }
    const QByteArray& heard() const { return heard_; }

private:
    platform::HostLink* link_ = nullptr;
    QByteArray heard_;
};

class ConfiguratorUnderTest {
public:
    // The moment the program starts, as its log lines show it.
    static inline const QDateTime kStart{QDate(2013, 12, 9), QTime(14, 5, 33)};
    static inline const QString kAdminLogin = QStringLiteral("admin");
    static inline const QString kAdminPassword = QStringLiteral("secret1");

    ConfiguratorUnderTest();
    ~ConfiguratorUnderTest();
    ConfiguratorUnderTest(const ConfiguratorUnderTest&) = delete;
    ConfiguratorUnderTest& operator=(const ConfiguratorUnderTest&) = delete;

    // --- the surroundings, prepared before start() ---
    platform::Registry& registry() { return registry_; }
    platform::VirtualScheduler& scheduler() { return scheduler_; }
    // The program's clock, for simulated units that keep time with it.
    const platform::Clock& clock() const { return clock_; }
    platform::ScriptedDialogs& dialogs() { return dialogs_; }
    // A private folder for the test's files.
    QString folder() const { return dir_.path(); }
    // Where the first-run folders go.
    QString defaultBase() const { return dir_.path() + QStringLiteral("/VELDAR"); }
    void setSetting(const QString& name, const QString& value);
    QString setting(const QString& name);
    void addUser(int id, const veldar::UserRecord& user);
    // ID 0 with kAdminLogin / kAdminPassword.
    void addAdministrator();
    // The in-process line behind a port name, with a RecordingDevice on it (attach another
    // simulated device to the wire to replace it).
    platform::InProcessWire& wire(const QString& port = QStringLiteral("COM1"));
    RecordingDevice& device(const QString& port = QStringLiteral("COM1"));
    // Factory-fresh tvr-sim units on the line behind a port, in the program's time, in place
    // of the recording device.
    tvrsim::Line& units(const std::vector<int>& addresses, const QString& port = QStringLiteral("COM1"));
    // Ports through the real termios back end; names map to paths in the registry.
    void usePosixPorts();
    void mapPort(const QString& name, const QString& path);

    // --- the program ---
    void start();
    veldar::Program& program() { return *program_; }
    veldar::TMainForm& main();
    // Types the login and password and presses "Вход".
    void logIn(const QString& login, const QString& password);
    // Started with the administrator logged in and the start-up port check done (no port
    // chosen unless the registry names one: the test expects that box itself then).
    void startLoggedIn();
    // Started logged in with this port stored and opened at the start-up check.
    void startConnected(const QString& port = QStringLiteral("COM1"));

    // --- acting and looking ---
    void advance(std::int64_t ms) { scheduler_.advance(ms); }
    // An OK box with this text (or containing it) is due next.
    void expectBox(const QString& text) { dialogs_.answer(text, platform::Answer::Ok); }
    void answerBox(const QString& text, platform::Answer answer) { dialogs_.answer(text, answer); }
    // The box shown last.
    const platform::ScriptedDialogs::Shown& lastBox() const;

    QWidget* window(const QString& name);
    void click(const QString& name, QWidget* root = nullptr);
    void type(const QString& name, const QString& text, QWidget* root = nullptr);
    void choose(const QString& name, const QString& entry, QWidget* root = nullptr);
    QString text(const QString& name, QWidget* root = nullptr);
    bool shown(const QString& name, QWidget* root = nullptr);

    // Menu items by objectName; a trigger fails the test when the user could not reach it.
    void trigger(const QString& item);
    bool menuShown(const QString& item);
    bool menuChecked(const QString& item);

    void chooseNode(const QString& caption);
    QString statusPanel(int panel);

    QStringList logLines();
    int logLinesContaining(const QString& text);
    QColor logLineColour(int line);
    QString logFilePath() const { return log_.filePath(); }
    QByteArray logFile() const;

    // Whether the program asked to end.
    bool ended() const { return ended_; }

private:
    static bool reachable(QAction* action);

    QTemporaryDir dir_;
    platform::VirtualScheduler scheduler_;
    platform::SchedulerClock clock_;
    platform::ScriptedDialogs dialogs_;
    platform::Registry registry_;
    platform::PortMap portMap_;
    platform::WirePortFactory wirePorts_;
    platform::PosixSerialPortFactory posixPorts_;
    bool posix_ = false;
    std::map<QString, std::unique_ptr<RecordingDevice>> devices_;
    // Before the wires, which let go of their devices when they end.
    std::map<QString, std::unique_ptr<tvrsim::Line>> lines_;
    std::map<QString, std::unique_ptr<platform::InProcessWire>> wires_;
    platform::Locale locale_ = platform::Locale::russian();
    veldar::EventLog log_;
    bool ended_ = false;
    std::unique_ptr<veldar::Program> program_;
};

}  // namespace veldartest
