#pragma once

#include "platform/serial/serial_port.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

class QWidget;

namespace platform {
class Dialogs;
}

namespace veldar {

class Indicator;

// Whether the current unit sits in its program loader, as its page shows it, and how the
// page shows that the unit has been sent back to work.
class LoaderGate {
public:
    virtual ~LoaderGate() = default;
    virtual bool inLoader() const = 0;
    virtual void leftLoader() = 0;
};

// The one COM port of the program: opened with fixed line settings and time-outs, written
// with the transmit lamp. Reading belongs to the receive path, which polls device().
class ComPort {
public:
    // Written to leave the program loader.
    static constexpr char kLeaveLoader = 'E';

    ComPort(platform::SerialPortFactory& factory, platform::Dialogs& dialogs, Indicator& tx,
            QWidget* dialogParent);

    bool open(const QString& name, int baudRate);
    void close();
    bool isOpen() const { return open_; }

    // -1 when no port is open, 0 when the operator keeps the unit in its loader, otherwise
    // the number of bytes the port took.
    int write(const QByteArray& bytes);

    void setLoaderGate(LoaderGate* gate) { loader_ = gate; }
    // Told the outcome of every open (the receive path polls only a port that opened).
    void setOpenListener(std::function<void(bool opened)> listener) { openListener_ = std::move(listener); }
    platform::SerialPort& device() { return *device_; }

private:
    bool leaveLoaderFirst();

    std::unique_ptr<platform::SerialPort> device_;
    platform::Dialogs& dialogs_;
    Indicator& tx_;
    QWidget* dialogParent_;
    LoaderGate* loader_ = nullptr;
    std::function<void(bool)> openListener_;
    bool open_ = false;
};

}  // namespace veldar
