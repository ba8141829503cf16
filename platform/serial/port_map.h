#pragma once

#include <QString>
#include <QStringList>

namespace platform {

class Registry;

// Turns the names the programs speak of ("COM1" … "COM15") into device paths.
// Explicit entries live in the registry under HKEY_CURRENT_USER\PortMap ("COM1"="/dev/pts/4").
// Names without an entry take, in order, the serial devices present that no entry names:
// USB adapters (/dev/ttyUSB*), then ACM modems (/dev/ttyACM*), then on-board UARTs that
// really exist (/dev/ttyS*). A name that is itself a path ("/dev/ttyUSB3") is used as it is.
class PortMap {
public:
    static constexpr const char* kKey = "PortMap";
    static constexpr int kNames = 15;

    explicit PortMap(Registry& registry);

    // Empty when the name maps to nothing.
    QString devicePath(const QString& name) const;
    void setEntry(const QString& name, const QString& path);
    void removeEntry(const QString& name);

    // The serial devices of this machine in the default order (overridable for tests).
    static QStringList presentDevices(const QString& devDir = QStringLiteral("/dev"),
                                      const QString& sysTtyDir = QStringLiteral("/sys/class/tty"));
    // The whole map as the user would see it: name → path for COM1..COM15.
    QStringList describe() const;

    void setDeviceSource(QStringList devices) { devices_ = std::move(devices); useFixed_ = true; }

private:
    QStringList devices() const;
    Registry& registry_;
    QStringList devices_;
    bool useFixed_ = false;
};

}  // namespace platform
