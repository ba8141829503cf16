#pragma once

#include <cstdint>

namespace burnet {

extern const std::uint32_t kBlowfishInitialP[18];
extern const std::uint32_t kBlowfishInitialS[4][256];

}  // namespace burnet
