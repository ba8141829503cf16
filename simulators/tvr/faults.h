#pragma once

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <random>

namespace tvrsim {

// What an unreliable line does to the units' answers. Probabilities are per answer.
struct FaultSettings {
    double loss = 0;       // the answer never arrives
    double corrupt = 0;    // its check byte arrives wrong
    double noise = 0;      // a burst of 1 to 8 random bytes arrives before it
    double zeros = 0;      // a 0x00 byte appears somewhere inside it
    int turnaroundMs = 0;  // every answer starts this long after its request ...
    int jitterMs = 0;      // ... plus up to this much more
};

struct FaultCounts {
    int answers = 0;
    int lost = 0;
    int corrupted = 0;
    int noisy = 0;
    int zeroed = 0;
};

// Applies the faults with a seeded random source, so that a run can be repeated exactly.
class FaultInjector {
public:
    static constexpr int kMaxNoiseBytes = 8;  // too short to ever form a valid frame

    explicit FaultInjector(std::uint32_t seed = 1) : random_(seed) {}

    void setSettings(const FaultSettings& s) { settings_ = s; }
    const FaultSettings& settings() const { return settings_; }
    // The next n answers are lost whatever the probabilities say.
    void dropNextAnswers(int n) { dropNext_ += n; }

    struct Delivery {
        QByteArray bytes;
        int delayMs = 0;
    };
    // An answer's wire bytes as the line delivers them; nothing when it is lost.
    std::optional<Delivery> apply(const QByteArray& wire, int delayMs);

    const FaultCounts& counts() const { return counts_; }
    std::mt19937& random() { return random_; }

private:
    bool chance(double p);

    FaultSettings settings_;
    FaultCounts counts_;
    int dropNext_ = 0;
    std::mt19937 random_;
};

}  // namespace tvrsim
