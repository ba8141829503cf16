#include "serial_port.h"

namespace platform {

const char* portErrorName(PortError e) {
    switch (e) {
        case PortError::None: return "none";
        case PortError::NotFound: return "not found";
        case PortError::Busy: return "busy";
        case PortError::Settings: return "settings refused";
        case PortError::Io: return "i/o error";
        case PortError::TimedOut: return "timed out";
        case PortError::NotOpen: return "not open";
    }
    return "unknown";
}

}  // namespace platform
