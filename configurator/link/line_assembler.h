#pragma once

#include <QByteArray>

#include <optional>

namespace veldar {

// Cuts answer lines out of the received characters: a ":" starts a line (dropping any
// partial one), CR LF ends it, and characters outside a line are not kept. A line longer
// than the longest answer of the protocol is dropped as soon as it overflows.
class LineAssembler {
public:
    // The sensor list, the longest answer: address, command, progress, count, 255 records
    // of 3 bytes, LRC.
    static constexpr int kLongestAnswerBytes = 4 + 255 * 3 + 1;
    // Hex characters of the longest answer and its CR LF.
    static constexpr int kCapacity = 2 * kLongestAnswerBytes + 2;

    struct Event {
        enum class Kind { Line, Overflow };
        Kind kind;
        QByteArray text;  // of a line: the characters between ":" and CR LF
    };

    // What this character completed, if anything.
    std::optional<Event> feed(char c);
    // Forgets the line being collected, as when bytes of it were lost.
    void abandon();

private:
    bool started_ = false;
    QByteArray line_;
};

}  // namespace veldar
