#pragma once

#include <QByteArray>
#include <QString>

namespace ispsim {

// One command as the programmer received it, with its answer.
struct LoggedCommand {
    QByteArray bytes;  // the letter and its argument bytes
    QByteArray reply;
    QString note;      // why the target did not do what was asked, when it did not

    char letter() const { return bytes.isEmpty() ? '\0' : bytes[0]; }
    // The letter (ESC for 0x1B, the text of a bracketed probe) and the argument bytes in
    // upper-case hex, separated by blanks: "A 00 82", "B 00 02 46 0C 94".
    QString text() const;
    // text(), the reply in hex after "->" and the note in brackets: a line for log files.
    QString line() const;
};

}  // namespace ispsim
