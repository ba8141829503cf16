#pragma once

#include <QByteArray>
#include <QString>

namespace veldar {

// The stored form of a password (registry value "Password", binary): the characters shifted
// by their own byte sum S, framed by the two nibbles of K = F − S. Not a cipher; it only
// keeps the password from being read at a glance.
inline constexpr quint8 kPasswordConstant = 0xA7;  // F
// A stored block longer than this is read only this far.
inline constexpr int kMaxPasswordBlock = 100;

// n characters (Windows-1251) → n + 2 bytes.
QByteArray encodePassword(const QString& password);
// A block too short to hold its two framing bytes gives an empty password, which never
// matches.
QString decodePassword(const QByteArray& block);

}  // namespace veldar
