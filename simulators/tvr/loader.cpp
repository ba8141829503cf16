#include "loader.h"

namespace tvrsim {

Loader::Loader(platform::Scheduler& scheduler, std::function<void(const QByteArray&)> send)
    : send_(std::move(send)),
      offerTimer_(scheduler, kOfferIntervalMs, [this] { send_(QByteArray(1, kOffer)); }) {}

void Loader::start() {
    state_ = State::Offering;
    offerTimer_.start();
}

void Loader::hostByte(char c) {
    if (state_ == State::Off) return;
    if (c == kExit) {
        offerTimer_.stop();
        state_ = State::Off;
    } else if (c == kAccept && state_ == State::Offering) {
        offerTimer_.stop();
        state_ = State::Engaged;
    }
}

}  // namespace tvrsim
