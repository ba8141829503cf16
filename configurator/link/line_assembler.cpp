#include "line_assembler.h"

namespace veldar {

std::optional<LineAssembler::Event> LineAssembler::feed(char c) {
    if (c == ':') {
        line_.clear();
        started_ = true;
        return std::nullopt;
    }
    if (!started_) return std::nullopt;
    if (line_.size() >= kCapacity) {
        abandon();
        return Event{Event::Kind::Overflow, {}};
    }
    line_.append(c);
    if (!line_.endsWith("\r\n")) return std::nullopt;
    Event line{Event::Kind::Line, line_.chopped(2)};
    abandon();
    return line;
}

void LineAssembler::abandon() {
    started_ = false;
    line_.clear();
}

}  // namespace veldar
