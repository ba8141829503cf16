#include "framing.h"

namespace ispsim {
namespace {

constexpr int kProbeLength = static_cast<int>(sizeof kUpgradeProbe) - 1;

int byteAt(const QByteArray& b, int i) { return static_cast<unsigned char>(b[i]); }

int selectLength(const QByteArray& pending, bool longSelect) {
    if (pending.size() < 2) return 0;
    if (byteAt(pending, 1) != 0x00) return longSelect ? 19 : 2;
    if (pending.size() < 3) return 0;
    const int version = byteAt(pending, 2);
    if (version < 2) return 2;
    return version >= 5 ? 25 : 24;
}

}  // namespace

int commandLength(const QByteArray& pending, bool longSelect) {
    if (pending.isEmpty()) return 0;
    switch (pending[0]) {
        case 'T': return selectLength(pending, longSelect);
        case 'A': return 3;
        case 'H': return 4;
        case 'c': case 'C': case 'D': case 'x': case 'y': case 'o':
        case 'f': case 'n': case 'q': case 'l':
            return 2;
        case ':': return 4;
        case '.': return 5;
        case 'g': return 4;
        case 'B':
            if (pending.size() < 3) return 0;
            return 4 + ((byteAt(pending, 1) << 8) | byteAt(pending, 2));
        case '[': {
            const int end = pending.indexOf(']');
            if (end >= 0 && end < kProbeLength) return end + 1;
            // Not the probe: the bracket alone is an unknown command.
            return end >= 0 || pending.size() >= kProbeLength ? 1 : 0;
        }
        default: return 1;
    }
}

}  // namespace ispsim
