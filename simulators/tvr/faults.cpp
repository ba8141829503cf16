#include "faults.h"

namespace tvrsim {
namespace {

int hexValue(char c) {
    return c <= '9' ? c - '0' : c - 'A' + 10;
}

}  // namespace

bool FaultInjector::chance(double p) {
    if (p <= 0) return false;
    return std::uniform_real_distribution<double>(0.0, 1.0)(random_) < p;
}

std::optional<FaultInjector::Delivery> FaultInjector::apply(const QByteArray& wire, int delayMs) {
    ++counts_.answers;
    // Every draw happens for every answer, so one fault's setting does not shift the others.
    const bool lose = chance(settings_.loss);
    const bool corrupt = chance(settings_.corrupt);
    const bool noise = chance(settings_.noise);
    const bool zero = chance(settings_.zeros);
    const int jitter = settings_.jitterMs > 0
                           ? std::uniform_int_distribution<int>(0, settings_.jitterMs)(random_)
                           : 0;
    if (dropNext_ > 0 || lose) {
        if (dropNext_ > 0) --dropNext_;
        ++counts_.lost;
        return std::nullopt;
    }
    Delivery d{wire, delayMs + settings_.turnaroundMs + jitter};
    // ":" hex CR LF: the check byte is the last two digits before CR LF.
    if (corrupt && d.bytes.size() >= 5) {
        const qsizetype at = d.bytes.size() - 4;
        const int lrc = hexValue(d.bytes[at]) * 16 + hexValue(d.bytes[at + 1]);
        const int wrong = (lrc + std::uniform_int_distribution<int>(1, 255)(random_)) & 0xFF;
        d.bytes.replace(at, 2, QByteArray::number(wrong, 16).rightJustified(2, '0').toUpper());
        ++counts_.corrupted;
    }
    if (zero && d.bytes.size() >= 2) {
        const auto at = std::uniform_int_distribution<qsizetype>(1, d.bytes.size() - 1)(random_);
        d.bytes.insert(at, '\0');
        ++counts_.zeroed;
    }
    if (noise) {
        const int n = std::uniform_int_distribution<int>(1, kMaxNoiseBytes)(random_);
        QByteArray burst;
        for (int i = 0; i < n; ++i)
            burst.append(static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random_)));
        d.bytes.prepend(burst);
        ++counts_.noisy;
    }
    return d;
}

}  // namespace tvrsim
