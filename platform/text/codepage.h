#pragma once

#include <QByteArray>
#include <QString>

namespace platform::text {

// The ANSI code pages the programs write their files in. Characters a code page cannot
// hold become '?', as the Windows converters do.
QByteArray toCp1251(const QString& text);
QString fromCp1251(const QByteArray& bytes);
QByteArray toCp936(const QString& text);
QString fromCp936(const QByteArray& bytes);

}  // namespace platform::text
