#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace platform {

// The caller learns why, not just that it failed.
enum class PortError { None, NotFound, Busy, Settings, Io, TimedOut, NotOpen };

const char* portErrorName(PortError e);

// Line settings: always 8 data bits, no parity, one stop bit, no flow control of any kind.
struct LineSettings {
    int baud = 9600;
    bool dtr = false;
    bool rts = false;
};

// The classic per-port time-out record, in milliseconds.
// A read of n bytes returns when n bytes have arrived, when readIntervalMs passes between two
// bytes (counted from the first byte on; 0 = no interval limit), or when the total time
// readTotalMultiplierMs × n + readTotalConstantMs has passed (both 0 = no total limit).
// A write gives up after writeTotalMultiplierMs × n + writeTotalConstantMs (both 0 = never).
struct Timeouts {
    int readIntervalMs = 0;
    int readTotalMultiplierMs = 0;
    int readTotalConstantMs = 0;
    int writeTotalMultiplierMs = 0;
    int writeTotalConstantMs = 0;
};

struct IoResult {
    std::size_t count = 0;
    PortError error = PortError::None;  // TimedOut when fewer bytes than asked were moved
};

// One serial port, used synchronously from the window thread.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens a port by its program-facing name ("COM1") exclusively and applies the settings.
    virtual PortError open(const QString& name, const LineSettings& line,
                           const Timeouts& timeouts) = 0;
    virtual bool isOpen() const = 0;
    virtual void close() = 0;
    virtual PortError setTimeouts(const Timeouts& timeouts) = 0;

    virtual IoResult write(const std::uint8_t* data, std::size_t n) = 0;
    virtual IoResult read(std::uint8_t* data, std::size_t n) = 0;
    // Bytes received and not yet read.
    virtual std::size_t bytesWaiting() = 0;
    virtual void purge(bool input, bool output) = 0;

    // Called on the window thread when bytes are waiting (or the port has failed), so the
    // program can sleep until then instead of polling. Stays set across open/close.
    virtual void setReadyHandler(std::function<void()> handler) = 0;
};

// Makes ports of one kind (real devices, or in-process wires in tests).
class SerialPortFactory {
public:
    virtual ~SerialPortFactory() = default;
    virtual std::unique_ptr<SerialPort> create() = 0;
};

}  // namespace platform
