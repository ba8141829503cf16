#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace burnet {

// The published Blowfish cipher: 16 rounds, the standard initial P-array and S-boxes, a
// key of 1 to 56 bytes.
class Blowfish {
public:
    static constexpr std::size_t kMaxKeyBytes = 56;

    explicit Blowfish(std::span<const std::uint8_t> key);

    void encrypt(std::uint32_t& left, std::uint32_t& right) const;
    void decrypt(std::uint32_t& left, std::uint32_t& right) const;
    // One 8-byte block in place, its two halves most significant byte first.
    void encryptBlock(std::uint8_t* block) const;
    void decryptBlock(std::uint8_t* block) const;

private:
    std::uint32_t f(std::uint32_t x) const;

    std::array<std::uint32_t, 18> p_;
    std::array<std::array<std::uint32_t, 256>, 4> s_;
};

}  // namespace burnet
