#include "hex_file.h"

#include "memory_image.h"

#include <QByteArray>
#include <QIODevice>

#include <cstdint>

namespace burnet {

namespace {

constexpr qsizetype kPieceChars = 255;

// Reads a text file the way a line reader with a 256-byte buffer does: each piece ends
// after a line end or after 255 characters, whichever comes first.
class Pieces {
public:
    explicit Pieces(QIODevice& file) : file_(file) { file_.seek(0); }

    bool next(QByteArray& piece) {
        piece.clear();
        if (endedLine_) ++line_;
        char c = 0;
        while (piece.size() < kPieceChars && file_.getChar(&c)) {
            if (c == '\r') {
                char following = 0;
                if (file_.peek(&following, 1) == 1 && following == '\n') continue;
            }
            piece.append(c);
            if (c == '\n') break;
        }
        endedLine_ = piece.endsWith('\n');
        return !piece.isEmpty();
    }
    int line() const { return line_; }

private:
    QIODevice& file_;
    int line_ = 0;
    bool endedLine_ = true;
};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

qsizetype firstNonBlank(const QByteArray& piece) {
    qsizetype i = 0;
    while (i < piece.size() && isBlank(piece[i])) ++i;
    return i;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Consumes hexadecimal digits from an upper-case record.
class Cursor {
public:
    Cursor(const QByteArray& text, qsizetype at) : text_(text), at_(at) {}

    bool take(char c) {
        if (at_ >= text_.size() || text_[at_] != c) return false;
        ++at_;
        return true;
    }
    bool byte(std::uint8_t& value) {
        if (at_ + 2 > text_.size()) return false;
        const int hi = hexDigit(text_[at_]);
        const int lo = hexDigit(text_[at_ + 1]);
        if (hi < 0 || lo < 0) return false;
        value = static_cast<std::uint8_t>(hi << 4 | lo);
        at_ += 2;
        return true;
    }
    bool word(std::uint16_t& value) {
        std::uint8_t hi = 0, lo = 0;
        if (!byte(hi) || !byte(lo)) return false;
        value = static_cast<std::uint16_t>(hi << 8 | lo);
        return true;
    }

private:
    const QByteArray& text_;
    qsizetype at_;
};

struct LoadState {
    MemoryImage& image;
    std::uint32_t segmentBase = 0;
    std::uint32_t dataBytes = 0;
};

HexRecordError parseRecord(const QByteArray& upper, qsizetype start, LoadState& state) {
    Cursor in(upper, start);
    std::uint8_t count = 0, type = 0;
    std::uint16_t address = 0;
    if (!in.take(':') || !in.byte(count) || !in.word(address) || !in.byte(type)) return HexRecordError::Syntax;

    if (type == 0x02) {
        std::uint16_t segment = 0;
        std::uint8_t checksum = 0;
        if (!in.word(segment)) return HexRecordError::Syntax;
        // Keeps the previous base: the record does not say what it meant.
        if (address != 0) return HexRecordError::SegmentAddress;
        state.segmentBase = static_cast<std::uint32_t>(segment) * 16;
        if (!in.byte(checksum)) return HexRecordError::Syntax;
        const unsigned sum = count + type + (segment >> 8) + (segment & 0xFF) + checksum;
        return (sum & 0xFF) == 0 ? HexRecordError::None : HexRecordError::Checksum;
    }
    if (type != 0x00) return HexRecordError::None;

    unsigned sum = count + (address >> 8) + (address & 0xFF);
    std::uint32_t at = state.segmentBase + address;
    for (unsigned i = 0; i < count; ++i, ++at) {
        std::uint8_t value = 0;
        if (!in.byte(value)) return HexRecordError::Syntax;
        if (at < state.image.bytes.size()) state.image.bytes[at] = value;
        if (at > state.image.highestAddress) state.image.highestAddress = at;
        ++state.dataBytes;
        sum += value;
    }
    std::uint8_t checksum = 0;
    if (!in.byte(checksum)) return HexRecordError::Syntax;
    return ((sum + checksum) & 0xFF) == 0 ? HexRecordError::None : HexRecordError::Checksum;
}

}  // namespace

bool IsHexFile(QIODevice& file, int* badLine) {
    Pieces pieces(file);
    QByteArray piece;
    while (pieces.next(piece)) {
        const qsizetype i = firstNonBlank(piece);
        if (i < piece.size() && piece[i] == ':') continue;
        if (badLine) *badLine = pieces.line();
        return false;
    }
    return true;
}

HexLoadResult LoadHex(QIODevice& file, MemoryImage& image) {
    image.erase();
    LoadState state{image};
    HexLoadResult result;
    Pieces pieces(file);
    QByteArray piece;
    while (pieces.next(piece)) {
        const QByteArray upper = piece.toUpper();
        const HexRecordError error = parseRecord(upper, firstNonBlank(upper), state);
        if (error == HexRecordError::None) continue;
        if (result.valid) {
            result.firstBadLine = pieces.line();
            result.firstError = error;
        }
        result.valid = false;
        ++result.badRecords;
    }
    result.dataBytes = state.dataBytes;
    return result;
}

}  // namespace burnet
