#pragma once

#include "simulators/tvr/frame.h"
#include "simulators/tvr/installation.h"

#include <QByteArray>

#include <memory>
#include <optional>
#include <vector>

namespace tvrsim::test {

inline Frame request(int address, int command, const QByteArray& data = {}) {
    return Frame{static_cast<std::uint8_t>(address), static_cast<std::uint8_t>(command), data};
}

inline QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values) out.append(static_cast<char>(v));
    return out;
}

inline int byteAt(const QByteArray& b, int i) {
    return static_cast<std::uint8_t>(b.at(i));
}
inline int word(const QByteArray& b, int i) {
    return byteAt(b, i) * 256 + byteAt(b, i + 1);
}

// The configurator's end of a virtual installation: a port on COM1 at 9600 baud, frames
// written by hand, answer lines read back as the configurator's receiver sees them
// (0x00 bytes dropped).
class Host {
public:
    explicit Host(const std::vector<int>& addresses, int baud = 9600);

    Installation site;

    void send(const Frame& f) { sendRaw(f.wire()); }
    void sendRaw(const QByteArray& bytes);
    // The raw bytes that arrive within the next ms of virtual time.
    QByteArray listen(int ms);
    // The lines that arrive within the next ms, valid or not.
    std::vector<ReceivedLine> lines(int ms);
    // Sends a request and waits for the first complete answer line; nothing if none comes
    // within maxMs.
    std::optional<ReceivedLine> exchange(const Frame& f, int maxMs = 3000);
    // The valid answer to a request; the test fails when there is none.
    Frame ask(const Frame& f, int maxMs = 3000);

private:
    QByteArray drain();
    std::vector<ReceivedLine> parse(const QByteArray& bytes);

    std::unique_ptr<platform::SerialPort> port_;
    FrameReader reader_;
};

}  // namespace tvrsim::test
