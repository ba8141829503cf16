#pragma once

#include <QString>

#include <cstdint>
#include <functional>

class QWidget;

namespace platform {
class Dialogs;
class Registry;
class Scheduler;
class SerialPortFactory;
}  // namespace platform

namespace burnet {

class CLowIO;
struct DeviceRow;

// Opens the advanced options modally for the selected device.
using AdvancedDialog = std::function<void(QWidget* parent, CLowIO& io, const DeviceRow& device,
                                          std::uint8_t paramVersion)>;

// What the program runs on: main() hands it the real services, tests virtual ones.
struct Services {
    platform::Scheduler& scheduler;
    platform::Dialogs& dialogs;
    platform::Registry& registry;
    platform::SerialPortFactory& ports;
    // Empty: the advanced button stays disabled.
    AdvancedDialog advanced;
};

}  // namespace burnet
