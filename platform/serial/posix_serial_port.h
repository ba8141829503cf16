#pragma once

#include "serial_port.h"

#include <memory>

class QSocketNotifier;

namespace platform {

class PortMap;

// A serial device through termios. Exclusive: TIOCEXCL plus an advisory lock, since
// TIOCEXCL does not stop root.
class PosixSerialPort : public SerialPort {
public:
    explicit PosixSerialPort(const PortMap* map = nullptr);
    ~PosixSerialPort() override;

    PortError open(const QString& name, const LineSettings& line, const Timeouts& timeouts) override;
    // Opens a device path directly.
    PortError openDevice(const QString& path, const LineSettings& line, const Timeouts& timeouts);
    bool isOpen() const override { return fd_ >= 0; }
    void close() override;
    PortError setTimeouts(const Timeouts& timeouts) override;

    IoResult write(const std::uint8_t* data, std::size_t n) override;
    IoResult read(std::uint8_t* data, std::size_t n) override;
    std::size_t bytesWaiting() override;
    void purge(bool input, bool output) override;
    void setReadyHandler(std::function<void()> handler) override;

    static bool baudSupported(int baud);

private:
    void onReadable();

    const PortMap* map_;
    int fd_ = -1;
    Timeouts timeouts_;
    std::function<void()> ready_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

class PosixSerialPortFactory : public SerialPortFactory {
public:
    explicit PosixSerialPortFactory(const PortMap& map) : map_(map) {}
    std::unique_ptr<SerialPort> create() override { return std::make_unique<PosixSerialPort>(&map_); }

private:
    const PortMap& map_;
};

}  // namespace platform
