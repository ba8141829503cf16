#pragma once

#include <cstdint>

class QIODevice;

namespace burnet {

struct MemoryImage;

enum class HexRecordError {
    None,
    Syntax,          // no ':' or too few hexadecimal digits
    Checksum,        // the bytes do not add up to a multiple of 256
    SegmentAddress,  // an extended segment address record with an address field other than 0000
};

struct HexLoadResult {
    bool valid = true;  // every record was good
    std::uint32_t dataBytes = 0;  // data bytes read, inside the image or not
    int badRecords = 0;
    // The first bad record: its line (from 1) and why.
    int firstBadLine = 0;
    HexRecordError firstError = HexRecordError::None;
};

// Whether every line of the file starts, after leading white space, with ':'. Lines are
// judged in pieces of at most 255 characters, so a longer line fails. The file is read
// from its start, as a text file (CR LF counts as one line end).
bool IsHexFile(QIODevice& file, int* badLine = nullptr);

// Erases the image and loads the file's data records into it. Records of type 0 (data)
// and 2 (extended segment address) count; every other type is ignored. Bytes beyond the
// image are dropped but still raise the highest address. A bad record does not stop the
// load: everything readable is loaded.
HexLoadResult LoadHex(QIODevice& file, MemoryImage& image);

}  // namespace burnet
