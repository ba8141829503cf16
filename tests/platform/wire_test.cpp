#include "platform/serial/in_process_wire.h"
#include "platform/timing/virtual_scheduler.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

// Answers "OK\r" to every write, after an optional extra delay.
class Responder : public SimulatedDevice {
public:
    void attach(HostLink* link) override { link_ = link; }
    void received(const QByteArray& bytes) override {
        heard += bytes;
        if (link_) link_->send(answer, delayMs);
    }
    HostLink* link_ = nullptr;
    QByteArray heard;
    QByteArray answer = "OK\r";
    int delayMs = 0;
};

class WireTest : public ::testing::Test {
protected:
    VirtualScheduler clock;
    Responder device;
    InProcessWire wire{clock, &device};
    std::unique_ptr<SerialPort> port = wire.makePort();

    void write(const char* s) {
        port->write(reinterpret_cast<const uint8_t*>(s), std::strlen(s));
    }
    QByteArray read(std::size_t n) {
        QByteArray buf(static_cast<qsizetype>(n), '\0');
        const auto r = port->read(reinterpret_cast<uint8_t*>(buf.data()), n);
        buf.truncate(static_cast<qsizetype>(r.count));
        return buf;
    }
};

}  // namespace

TEST_F(WireTest, AnswersArriveAfterTheTurnaroundAndTheLineTime) {
    wire.setTurnaroundMs(10);
    ASSERT_EQ(port->open(QStringLiteral("COM1"), LineSettings{9600}, Timeouts{10, 0, 1, 0, 1500}),
              PortError::None);
    write("S");
    EXPECT_EQ(device.heard, QByteArray("S"));
    EXPECT_EQ(port->bytesWaiting(), 0u);
    // 1 byte out (1.04 ms) + 10 ms turnaround + 3 bytes back (3.1 ms).
    clock.advance(13);
    EXPECT_LT(port->bytesWaiting(), 3u);
    clock.advance(2);
    EXPECT_EQ(port->bytesWaiting(), 3u);
    EXPECT_EQ(read(3), QByteArray("OK\r"));
}

TEST_F(WireTest, ABlockingReadWaitsInVirtualTimeUpToItsTimeout) {
    port->open(QStringLiteral("COM1"), LineSettings{115200}, Timeouts{100, 50, 4000, 500, 1500});
    device.delayMs = 300;
    write("P");
    EXPECT_EQ(read(3), QByteArray("OK\r"));
    EXPECT_GE(clock.now(), 300);
    EXPECT_LT(clock.now(), 320);
    // Nothing comes: the read gives up after 4000 + 50 × 2 ms.
    const auto start = clock.now();
    EXPECT_EQ(read(2), QByteArray());
    EXPECT_EQ(clock.now() - start, 4100);
}

TEST_F(WireTest, TheIntervalTimeoutEndsAShortAnswer) {
    port->open(QStringLiteral("COM1"), LineSettings{115200}, Timeouts{100, 50, 4000, 500, 1500});
    write("S");
    const auto start = clock.now();
    EXPECT_EQ(read(7), QByteArray("OK\r"));
    EXPECT_LT(clock.now() - start, 200);
}

TEST_F(WireTest, ReadinessFiresWhenBytesArrive) {
    int wakes = 0;
    QByteArray got;
    port->setReadyHandler([&] {
        ++wakes;
        got += read(port->bytesWaiting());
    });
    port->open(QStringLiteral("COM1"), LineSettings{9600}, Timeouts{10, 0, 1, 0, 1500});
    write("x");
    clock.advance(100);
    EXPECT_GE(wakes, 1);
    EXPECT_EQ(got, QByteArray("OK\r"));
    const int before = wakes;
    clock.advance(1000);
    EXPECT_EQ(wakes, before);
}

TEST_F(WireTest, NothingIsHeardAtAnotherBaudRateOrWithThePortClosed) {
    wire.setDeviceBaud(38400);
    port->open(QStringLiteral("COM1"), LineSettings{115200}, Timeouts{100, 50, 4000, 500, 1500});
    write("S");
    EXPECT_TRUE(device.heard.isEmpty());
    port->close();
    device.link_->send("late");
    port->open(QStringLiteral("COM1"), LineSettings{38400}, Timeouts{100, 50, 4000, 500, 1500});
    clock.advance(100);
    EXPECT_EQ(port->bytesWaiting(), 0u);
    write("S");
    EXPECT_EQ(read(3), QByteArray("OK\r"));
}

TEST_F(WireTest, PurgeDropsWhatHasArrivedAndOnlyOnePortMayOpen) {
    port->open(QStringLiteral("COM1"), LineSettings{9600}, Timeouts{10, 0, 1, 0, 1500});
    write("a");
    clock.advance(50);
    port->purge(true, false);
    EXPECT_EQ(port->bytesWaiting(), 0u);
    auto second = wire.makePort();
    EXPECT_EQ(second->open(QStringLiteral("COM1"), LineSettings{9600}, Timeouts{}), PortError::Busy);
    EXPECT_EQ(wire.takeWritten(), QByteArray("a"));
}

TEST(WirePortFactory, OpensTheWireRegisteredUnderTheName) {
    VirtualScheduler clock;
    Responder device;
    InProcessWire wire(clock, &device);
    WirePortFactory factory;
    factory.add(QStringLiteral("COM3"), &wire);
    auto port = factory.create();
    EXPECT_EQ(port->open(QStringLiteral("COM1"), LineSettings{9600}, Timeouts{}), PortError::NotFound);
    EXPECT_EQ(port->open(QStringLiteral("com3"), LineSettings{9600}, Timeouts{}), PortError::None);
    EXPECT_TRUE(wire.hostOpen());
    port->close();
    EXPECT_FALSE(wire.hostOpen());
}
