#include "command_log.h"

namespace ispsim {
namespace {

QString hex(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

}  // namespace

QString LoggedCommand::text() const {
    if (bytes.isEmpty()) return {};
    if (letter() == '\x1b') return QStringLiteral("ESC");
    if (letter() == '[') return QString::fromLatin1(bytes);
    const auto c = static_cast<unsigned char>(letter());
    QString t = c > 0x20 && c < 0x7F ? QString(QChar::fromLatin1(letter())) : hex(bytes.left(1));
    if (bytes.size() > 1) t += QLatin1Char(' ') + hex(bytes.mid(1));
    return t;
}

QString LoggedCommand::line() const {
    QString l = text();
    if (!reply.isEmpty()) l += QStringLiteral(" -> ") + hex(reply);
    if (!note.isEmpty()) l += QStringLiteral("  [") + note + QLatin1Char(']');
    return l;
}

}  // namespace ispsim
