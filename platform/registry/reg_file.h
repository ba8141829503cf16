#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace platform {

// One registry value as a key file holds it.
struct RegValue {
    enum class Type { String, Binary, Dword, Other };
    QString name;  // spelling as first written; compared without regard to case
    Type type = Type::String;
    QString text;         // String
    QByteArray bytes;     // Binary, and the raw data of Other
    quint32 dword = 0;    // Dword
    int rawType = 1;      // the hex(N) type number of Other
};

struct RegParseError {
    int line;
    QString reason;
};

// The text of one key file in the regedit export syntax (version 5.00, UTF-8):
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\ConfigVELDAR_v4.1]
//   "CurrComm"="COM1"
//   "Block"=hex:01,02,ff
class RegFile {
public:
    static QByteArray write(const QString& keyPath, const std::vector<RegValue>& values);
    // The values of the file, or the first line that could not be understood.
    static std::optional<std::vector<RegValue>> parse(const QByteArray& text,
                                                      RegParseError* error = nullptr);
};

}  // namespace platform
