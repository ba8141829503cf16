#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace burnet {

// The bytes to program or verify, indexed by byte address; erased cells hold 0xFF. Flash
// words are little-endian. The same image serves flash and EEPROM operations.
struct MemoryImage {
    std::vector<std::uint8_t> bytes;
    // The largest address any record of the loaded file covered, also beyond the image;
    // the inclusive end of a transfer.
    std::uint32_t highestAddress = 0;

    void allocate(std::size_t size) {
        bytes.assign(size, 0xFF);
        highestAddress = 0;
    }
    void erase() {
        std::fill(bytes.begin(), bytes.end(), 0xFF);
        highestAddress = 0;
    }
};

}  // namespace burnet
