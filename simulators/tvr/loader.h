#pragma once

#include "platform/timing/timer.h"

#include <QByteArray>

#include <functional>

namespace tvrsim {

// A unit's program loader, as far as the hand-over goes: once started it offers itself with
// "Y" about every 500 ms until the host answers 0x40; from then on it waits for the
// programmer. "E" at any time returns the unit to normal operation.
class Loader {
public:
    enum class State { Off, Offering, Engaged };

    static constexpr int kOfferIntervalMs = 500;
    static constexpr char kOffer = 'Y';
    static constexpr char kAccept = 0x40;
    static constexpr char kExit = 'E';

    Loader(platform::Scheduler& scheduler, std::function<void(const QByteArray&)> send);

    void start();
    void hostByte(char c);
    State state() const { return state_; }

private:
    std::function<void(const QByteArray&)> send_;
    platform::Timer offerTimer_;
    State state_ = State::Off;
};

}  // namespace tvrsim
