#include "in_process_wire.h"

#include "../timing/scheduler.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace platform {

namespace {
constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();
}

class InProcessWire::Port : public SerialPort {
public:
    explicit Port(InProcessWire& wire) : wire_(wire) {}
    ~Port() override { close(); }

    PortError open(const QString&, const LineSettings& line, const Timeouts& timeouts) override {
        if (open_) close();
        if (wire_.openPort_) return PortError::Busy;
        wire_.openPort_ = this;
        wire_.hostOpen_ = true;
        wire_.hostBaud_ = line.baud;
        wire_.pending_.clear();
        timeouts_ = timeouts;
        open_ = true;
        return PortError::None;
    }
    bool isOpen() const override { return open_; }
    void close() override {
        if (!open_) return;
        open_ = false;
        wire_.openPort_ = nullptr;
        wire_.hostOpen_ = false;
        wire_.pending_.clear();
        wire_.readyTimer_->stop();
    }
    PortError setTimeouts(const Timeouts& timeouts) override {
        timeouts_ = timeouts;
        return open_ ? PortError::None : PortError::NotOpen;
    }
    IoResult write(const std::uint8_t* data, std::size_t n) override {
        if (!open_) return {0, PortError::NotOpen};
        wire_.hostWrote(data, n);
        return {n, PortError::None};
    }
    IoResult read(std::uint8_t* data, std::size_t n) override;
    std::size_t bytesWaiting() override { return open_ ? wire_.arrived() : 0; }
    void purge(bool input, bool) override {
        if (!open_ || !input) return;
        const std::size_t n = wire_.arrived();
        wire_.pending_.erase(wire_.pending_.begin(), wire_.pending_.begin() + static_cast<long>(n));
    }
    void setReadyHandler(std::function<void()> handler) override {
        ready_ = std::move(handler);
        if (open_) wire_.scheduleReady();
    }

    std::function<void()> ready_;

private:
    InProcessWire& wire_;
    Timeouts timeouts_;
    bool open_ = false;
};

IoResult InProcessWire::Port::read(std::uint8_t* data, std::size_t n) {
    if (!open_) return {0, PortError::NotOpen};
    const std::int64_t startUs = wire_.nowUs();
    const std::int64_t totalMs =
        static_cast<std::int64_t>(timeouts_.readTotalMultiplierMs) * static_cast<std::int64_t>(n) +
        timeouts_.readTotalConstantMs;
    const std::int64_t totalDeadline = totalMs > 0 ? startUs + totalMs * 1000 : kNever;
    std::int64_t intervalDeadline = kNever;
    std::size_t got = 0;
    auto sleepUntil = [this](std::int64_t us) {
        const std::int64_t leftUs = us - wire_.nowUs();
        if (leftUs > 0) wire_.scheduler_.sleep(static_cast<int>((leftUs + 999) / 1000));
    };
    for (;;) {
        const std::int64_t now = wire_.nowUs();
        while (got < n && !wire_.pending_.empty() && wire_.pending_.front().arrivalUs <= now) {
            if (timeouts_.readIntervalMs > 0)
                intervalDeadline = wire_.pending_.front().arrivalUs + timeouts_.readIntervalMs * 1000;
            data[got++] = wire_.pending_.front().byte;
            wire_.pending_.pop_front();
        }
        if (got == n) break;
        const std::int64_t deadline = std::min(totalDeadline, intervalDeadline);
        const std::int64_t next = wire_.nextArrivalUs();
        if (next >= 0 && next <= deadline) {
            sleepUntil(next);
            continue;
        }
        // Nothing more will come in time. (With no time-out at all a real port would wait
        // forever; here nothing can arrive while the caller waits, so it returns.)
        if (deadline != kNever) sleepUntil(deadline);
        wire_.scheduleReady();
        return {got, PortError::TimedOut};
    }
    wire_.scheduleReady();
    return {got, PortError::None};
}

InProcessWire::InProcessWire(Scheduler& scheduler, SimulatedDevice* device)
    : scheduler_(scheduler), readyTimer_(scheduler.makeTimer([this] { fireReady(); })) {
    attach(device);
}

InProcessWire::~InProcessWire() {
    if (openPort_) openPort_->close();
    if (device_) device_->attach(nullptr);
}

void InProcessWire::attach(SimulatedDevice* device) {
    device_ = device;
    if (device_) device_->attach(this);
}

std::unique_ptr<SerialPort> InProcessWire::makePort(const QString&) {
    return std::make_unique<Port>(*this);
}

std::int64_t InProcessWire::nowUs() const { return scheduler_.now() * 1000; }

bool InProcessWire::hostHears() const {
    return hostOpen_ && (deviceBaud_ == 0 || deviceBaud_ == hostBaud_);
}

double InProcessWire::byteTimeUs() const {
    if (!pacing_ || hostBaud_ <= 0) return 0.0;
    return 10.0 * 1e6 / hostBaud_;  // start bit, 8 data bits, stop bit
}

std::size_t InProcessWire::arrived() const {
    const std::int64_t now = nowUs();
    std::size_t n = 0;
    for (const Pending& p : pending_) {
        if (p.arrivalUs > now) break;
        ++n;
    }
    return n;
}

std::int64_t InProcessWire::nextArrivalUs() const {
    const std::int64_t now = nowUs();
    for (const Pending& p : pending_)
        if (p.arrivalUs > now) return p.arrivalUs;
    return -1;
}

void InProcessWire::hostWrote(const std::uint8_t* data, std::size_t n) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(n));
    written_.append(bytes);
    // The device cannot answer before the request has crossed the line.
    const std::int64_t crossed = nowUs() + static_cast<std::int64_t>(std::llround(byteTimeUs() * n));
    lineFreeUs_ = std::max(lineFreeUs_, crossed);
    if (device_ && hostHears()) device_->received(bytes);
}

void InProcessWire::send(const QByteArray& bytes, int delayMs) {
    if (!hostHears() || bytes.isEmpty()) return;
    const double byteUs = byteTimeUs();
    double t = static_cast<double>(
        std::max<std::int64_t>(nowUs() + (turnaroundMs_ + std::max(delayMs, 0)) * 1000LL, lineFreeUs_));
    for (char b : bytes) {
        t += byteUs;
        pending_.push_back(Pending{static_cast<std::int64_t>(std::llround(t)), static_cast<std::uint8_t>(b)});
    }
    lineFreeUs_ = static_cast<std::int64_t>(std::llround(t));
    // Keep the queue in arrival order even when a later send asked for a shorter delay.
    std::stable_sort(pending_.begin(), pending_.end(),
                     [](const Pending& a, const Pending& b) { return a.arrivalUs < b.arrivalUs; });
    scheduleReady();
}

QByteArray InProcessWire::takeWritten() {
    QByteArray out;
    out.swap(written_);
    return out;
}

void InProcessWire::scheduleReady() {
    readyTimer_->stop();
    if (!openPort_ || !openPort_->ready_) return;
    if (arrived() > 0) {
        readyTimer_->start(1);
        return;
    }
    const std::int64_t next = nextArrivalUs();
    if (next < 0) return;
    const std::int64_t ms = std::max<std::int64_t>(1, (next - nowUs() + 999) / 1000);
    readyTimer_->start(static_cast<int>(ms));
}

void InProcessWire::fireReady() {
    readyTimer_->stop();
    if (openPort_ && openPort_->ready_ && arrived() > 0) openPort_->ready_();
    scheduleReady();
}

class WirePortFactory::NamedPort : public SerialPort {
public:
    explicit NamedPort(const std::map<QString, InProcessWire*>& wires) : wires_(wires) {}
    PortError open(const QString& name, const LineSettings& line, const Timeouts& timeouts) override {
        close();
        const auto it = wires_.find(name.toUpper());
        if (it == wires_.end()) return PortError::NotFound;
        port_ = it->second->makePort(name);
        if (ready_) port_->setReadyHandler(ready_);
        const PortError e = port_->open(name, line, timeouts);
        if (e != PortError::None) port_.reset();
        return e;
    }
    bool isOpen() const override { return port_ && port_->isOpen(); }
    void close() override {
        if (port_) port_->close();
        port_.reset();
    }
    PortError setTimeouts(const Timeouts& t) override {
        return port_ ? port_->setTimeouts(t) : PortError::NotOpen;
    }
    IoResult write(const std::uint8_t* d, std::size_t n) override {
        return port_ ? port_->write(d, n) : IoResult{0, PortError::NotOpen};
    }
    IoResult read(std::uint8_t* d, std::size_t n) override {
        return port_ ? port_->read(d, n) : IoResult{0, PortError::NotOpen};
    }
    std::size_t bytesWaiting() override { return port_ ? port_->bytesWaiting() : 0; }
    void purge(bool in, bool out) override {
        if (port_) port_->purge(in, out);
    }
    void setReadyHandler(std::function<void()> handler) override {
        ready_ = std::move(handler);
        if (port_) port_->setReadyHandler(ready_);
    }

private:
    const std::map<QString, InProcessWire*>& wires_;
    std::unique_ptr<SerialPort> port_;
    std::function<void()> ready_;
};

std::unique_ptr<SerialPort> WirePortFactory::create() { return std::make_unique<NamedPort>(wires_); }

}  // namespace platform
