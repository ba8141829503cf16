#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>

namespace veldar {

// A frame in binary: address, command code, data, check byte (LRC). On the wire it is ":",
// two upper-case hex digits per byte, CR LF; the same both ways.

// The two's complement of the byte sum, so that the bytes and it sum to 0 modulo 256.
std::uint8_t lrc(QByteArrayView bytes);

// Address, command, data and their LRC.
QByteArray requestFrame(std::uint8_t address, std::uint8_t command, QByteArrayView data = {});

// ":" + hex + CR LF.
QByteArray wireText(QByteArrayView frame);

}  // namespace veldar
