#include "host.h"

#include <gtest/gtest.h>

namespace tvrsim::test {

Host::Host(const std::vector<int>& addresses, int baud)
    : site(addresses), port_(site.portFactory().create()) {
    const platform::PortError e = port_->open(QStringLiteral("COM1"), platform::LineSettings{baud},
                                              platform::Timeouts{10, 0, 1, 0, 1500});
    EXPECT_EQ(e, platform::PortError::None);
}

void Host::sendRaw(const QByteArray& bytes) {
    port_->write(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                 static_cast<std::size_t>(bytes.size()));
}

QByteArray Host::drain() {
    QByteArray out;
    const std::size_t n = port_->bytesWaiting();
    if (n == 0) return out;
    out.resize(static_cast<qsizetype>(n));
    const platform::IoResult r = port_->read(reinterpret_cast<std::uint8_t*>(out.data()), n);
    out.truncate(static_cast<qsizetype>(r.count));
    return out;
}

QByteArray Host::listen(int ms) {
    site.scheduler().advance(ms);
    return drain();
}

std::vector<ReceivedLine> Host::parse(const QByteArray& bytes) {
    std::vector<ReceivedLine> out;
    for (char c : bytes) {
        if (c == '\0') continue;
        if (std::optional<ReceivedLine> line = reader_.feed(c)) out.push_back(*line);
    }
    return out;
}

std::vector<ReceivedLine> Host::lines(int ms) {
    return parse(listen(ms));
}

std::optional<ReceivedLine> Host::exchange(const Frame& f, int maxMs) {
    send(f);
    std::vector<ReceivedLine> got;
    site.scheduler().advanceUntil(
        [&] {
            for (ReceivedLine& l : parse(drain())) got.push_back(l);
            return !got.empty();
        },
        maxMs);
    if (got.empty()) return std::nullopt;
    return got.front();
}

Frame Host::ask(const Frame& f, int maxMs) {
    const std::optional<ReceivedLine> line = exchange(f, maxMs);
    if (!line) {
        ADD_FAILURE() << "no answer to CMD" << int(f.command) << " at address " << int(f.address);
        return {};
    }
    EXPECT_EQ(line->fault, LineFault::None) << lineFaultName(line->fault);
    return line->frame;
}

}  // namespace tvrsim::test
