#include "blowfish.h"

#include "blowfish_pi.h"

#include <QtGlobal>

#include <algorithm>
#include <utility>

namespace burnet {

namespace {

std::uint32_t loadBigEndian(const std::uint8_t* b) {
    return static_cast<std::uint32_t>(b[0]) << 24 | static_cast<std::uint32_t>(b[1]) << 16 |
           static_cast<std::uint32_t>(b[2]) << 8 | b[3];
}

void storeBigEndian(std::uint32_t v, std::uint8_t* b) {
    b[0] = static_cast<std::uint8_t>(v >> 24);
    b[1] = static_cast<std::uint8_t>(v >> 16);
    b[2] = static_cast<std::uint8_t>(v >> 8);
    b[3] = static_cast<std::uint8_t>(v);
}

}  // namespace

Blowfish::Blowfish(std::span<const std::uint8_t> key) {
    Q_ASSERT(!key.empty() && key.size() <= kMaxKeyBytes);
    std::copy(std::begin(kBlowfishInitialP), std::end(kBlowfishInitialP), p_.begin());
    for (std::size_t i = 0; i < s_.size(); ++i)
        std::copy(std::begin(kBlowfishInitialS[i]), std::end(kBlowfishInitialS[i]), s_[i].begin());

    std::size_t k = 0;
    for (std::uint32_t& p : p_) {
        std::uint32_t word = 0;
        for (int i = 0; i < 4; ++i) {
            word = word << 8 | key[k];
            k = (k + 1) % key.size();
        }
        p ^= word;
    }
    std::uint32_t left = 0, right = 0;
    for (std::size_t i = 0; i < p_.size(); i += 2) {
        encrypt(left, right);
        p_[i] = left;
        p_[i + 1] = right;
    }
    for (auto& box : s_) {
        for (std::size_t i = 0; i < box.size(); i += 2) {
            encrypt(left, right);
            box[i] = left;
            box[i + 1] = right;
        }
    }
}

std::uint32_t Blowfish::f(std::uint32_t x) const {
    return ((s_[0][x >> 24] + s_[1][(x >> 16) & 0xFF]) ^ s_[2][(x >> 8) & 0xFF]) + s_[3][x & 0xFF];
}

void Blowfish::encrypt(std::uint32_t& left, std::uint32_t& right) const {
    for (int i = 0; i < 16; ++i) {
        left ^= p_[i];
        right ^= f(left);
        std::swap(left, right);
    }
    std::swap(left, right);
    right ^= p_[16];
    left ^= p_[17];
}

void Blowfish::decrypt(std::uint32_t& left, std::uint32_t& right) const {
    for (int i = 17; i > 1; --i) {
        left ^= p_[i];
        right ^= f(left);
        std::swap(left, right);
    }
    std::swap(left, right);
    right ^= p_[1];
    left ^= p_[0];
}

void Blowfish::encryptBlock(std::uint8_t* block) const {
    std::uint32_t left = loadBigEndian(block), right = loadBigEndian(block + 4);
    encrypt(left, right);
    storeBigEndian(left, block);
    storeBigEndian(right, block + 4);
}

void Blowfish::decryptBlock(std::uint8_t* block) const {
    std::uint32_t left = loadBigEndian(block), right = loadBigEndian(block + 4);
    decrypt(left, right);
    storeBigEndian(left, block);
    storeBigEndian(right, block + 4);
}

}  // namespace burnet
