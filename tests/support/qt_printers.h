#pragma once

// Lets GoogleTest print Qt strings and byte arrays as text in its failure messages.

#include <QByteArray>
#include <QString>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

inline void PrintTo(const QByteArray& bytes, std::ostream* os) { *os << "0x" << bytes.toHex().toStdString(); }
