#pragma once

// Burnet as a test drives it: the real window, offscreen, in virtual time, with strict
// scripted message boxes, a temporary registry and folder, and isp-sim on COM1 through an
// in-process wire.

#include "programmer/app/profile.h"
#include "programmer/app/services.h"

#include "simulators/isp/programmer.h"

#include "platform/registry/registry.h"
#include "platform/serial/in_process_wire.h"
#include "platform/timing/virtual_scheduler.h"
#include "platform/ui/scripted_dialogs.h"

#include "support/qt_printers.h"

#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace burnet {
class CProgrammerDlg;
}

namespace burnettest {

// Intel HEX text (CR LF line ends) of blocks of bytes at byte addresses: records of up to
// 16 bytes, with extended segment address records where an address needs one.
QByteArray hexFile(const std::vector<std::pair<std::uint32_t, QByteArray>>& blocks);
// The file a read of this memory writes: 16-byte records from 0 to the end.
QByteArray hexOfMemory(const QByteArray& memory);
// Deterministic bytes without 0xFF, so that nothing of them is skipped as erased.
QByteArray pattern(int size, std::uint32_t seed);

class BurnetUnderTest {
public:
    explicit BurnetUnderTest(const char* partId = "m16",
                             ispsim::ProgrammerConfig config = ispsim::ProgrammerConfig::inSystemProgrammer());
    ~BurnetUnderTest();
    BurnetUnderTest(const BurnetUnderTest&) = delete;
    BurnetUnderTest& operator=(const BurnetUnderTest&) = delete;

    // --- the surroundings, prepared before start() ---
    ispsim::Programmer& isp() { return isp_; }
    platform::InProcessWire& wire() { return wire_; }
    platform::VirtualScheduler& scheduler() { return scheduler_; }
    platform::ScriptedDialogs& dialogs() { return dialogs_; }
    platform::Registry& registry() { return registry_; }
    const burnet::Services& services() const { return services_; }
    // No programmer on any port.
    void unplug() { wire_.attach(nullptr); }
    // Puts a device of the program's own between the wire and isp-sim (a line that loses
    // answers); the device attaches isp-sim itself.
    void insertLine(platform::SimulatedDevice* line) { wire_.attach(line); }
    void setSetting(const QString& name, quint32 value);
    void saveValue(const QString& section, const QString& name, const QString& value);
    QString savedValue(const QString& section, const QString& name) const;
    // A file in the test's own folder.
    QString path(const QString& fileName) const { return dir_.path() + QLatin1Char('/') + fileName; }
    QString writeFile(const QString& fileName, const QByteArray& content) const;
    QByteArray readFile(const QString& fileName) const;
    // The advanced dialog as the window opens it: the test sees the calls.
    struct AdvancedCall {
        std::uint32_t deviceCode;
        std::uint8_t paramVersion;
    };
    void provideAdvancedDialog();
    // The advanced button opens this one instead.
    void useAdvancedDialog(burnet::AdvancedDialog dialog) { services_.advanced = std::move(dialog); }
    const std::vector<AdvancedCall>& advancedCalls() const { return advancedCalls_; }

    // --- the program ---
    // Runs the start-up; false when the program ended there.
    bool start();
    burnet::CProgrammerDlg& window() { return *window_; }

    // --- acting and looking ---
    void advance(std::int64_t ms) { scheduler_.advance(ms); }
    void click(int id);
    void choose(int id, const QString& entry);
    QString text(int id);
    bool enabled(int id);
    QStringList entries(int id);
    // Everything isp-sim heard since the last call, but the synchronisation bytes (ESC).
    QStringList sent();
    // Browses to this file (in the test's folder) with button 1000.
    void browseTo(const QString& fileName);
    // An OK box with this text is due next.
    void expectBox(const QString& text) { dialogs_.answer(text, platform::Answer::Ok); }
    void answer(const QString& text, platform::Answer answer) { dialogs_.answer(text, answer); }
    // The next browse dialog gives this file, or is cancelled.
    void chooseFile(const std::optional<QString>& fileName) {
        dialogs_.chooseFile(fileName ? std::optional<QString>(path(*fileName)) : std::nullopt);
    }

private:
    QTemporaryDir dir_;
    platform::VirtualScheduler scheduler_;
    platform::ScriptedDialogs dialogs_;
    platform::Registry registry_;
    burnet::Profile profile_;
    ispsim::Programmer isp_;
    platform::InProcessWire wire_;
    platform::WirePortFactory ports_;
    burnet::Services services_;
    std::vector<AdvancedCall> advancedCalls_;
    std::unique_ptr<burnet::CProgrammerDlg> window_;
};

}  // namespace burnettest
