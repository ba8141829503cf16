#pragma once

// isp-sim on COM1 through an in-process wire, and the program's CLowIO that found it, all in
// virtual time.

#include "programmer/link/device_table.h"
#include "programmer/link/lowio.h"

#include "simulators/isp/programmer.h"

#include "platform/serial/in_process_wire.h"
#include "platform/timing/virtual_scheduler.h"
#include "platform/ui/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <QStringList>

// Command lists in failure messages as isp-sim logs them.
inline void PrintTo(const QStringList& list, std::ostream* os) { *os << '{' << qPrintable(list.join(QStringLiteral(", "))) << '}'; }

namespace testsupport {

inline const ispsim::PartInfo& ispPart(const char* id) { return *ispsim::findPart(QString::fromLatin1(id)); }
inline const burnet::DeviceRow& deviceRow(const char* name) { return burnet::FindRowByName(QString::fromUtf8(name)); }

inline ispsim::ProgrammerConfig parallelProgrammer() {
    ispsim::ProgrammerConfig c = ispsim::ProgrammerConfig::inSystemProgrammer();
    c.type = 'P';
    c.programmerTypes = "P";
    return c;
}

class IspBench {
public:
    explicit IspBench(const char* partId,
                      ispsim::ProgrammerConfig config = ispsim::ProgrammerConfig::inSystemProgrammer())
        : isp(ispPart(partId), std::move(config)) {
        wire.attach(&isp);
        ports.add(QStringLiteral("COM1"), &wire);
        found = io.FindProgrammer();
        isp.clearLog();
    }

    // The commands the programmer received since the last call.
    QStringList sent() {
        const QStringList texts = isp.logTexts();
        isp.clearLog();
        return texts;
    }
    // The programmer stops answering.
    void silence() { wire.attach(nullptr); }

    std::uint8_t fuse(ispsim::Fuse f) const { return isp.chip().fuse(f); }

    platform::VirtualScheduler clock;
    platform::ScriptedDialogs dialogs{[](const QString& what) { ADD_FAILURE() << qPrintable(what); }};
    ispsim::Programmer isp;
    platform::InProcessWire wire{clock};
    platform::WirePortFactory ports;
    burnet::CLowIO io{ports, clock, dialogs};
    bool found = false;
};

}  // namespace testsupport
