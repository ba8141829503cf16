#pragma once

#include <QString>

#include <functional>

namespace platform {
class Clock;
class Dialogs;
class Registry;
class Scheduler;
class SerialPortFactory;
struct Locale;
}  // namespace platform

namespace veldar {

class EventLog;

// Everything the program takes from its surroundings, handed to the windows when they are
// made: main() wires the real services, tests wire virtual time, scripted dialogs, a
// temporary registry and in-process lines.
struct Services {
    platform::Scheduler& scheduler;
    platform::Clock& clock;
    platform::Dialogs& dialogs;
    platform::Registry& registry;
    platform::SerialPortFactory& ports;
    const platform::Locale& locale;
    EventLog& log;
    // Where a first run keeps its settings and data folders.
    QString defaultFolderBase;
    // Ends the program (the event loop); nothing more is written.
    std::function<void()> quit;
};

}  // namespace veldar
