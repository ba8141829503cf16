#include "navigation.h"

namespace veldar {
namespace {

// The number at the front of rest, which then moves past it.
std::optional<int> takeNumber(QStringView& rest) {
    qsizetype n = 0;
    while (n < rest.size() && n < 9 && rest[n].isDigit() && rest[n].unicode() < 0x80) ++n;
    if (n == 0) return std::nullopt;
    const int value = rest.left(n).toInt();
    rest = rest.mid(n);
    return value;
}

bool takeText(QStringView& rest, QStringView text) {
    if (!rest.startsWith(text)) return false;
    rest = rest.mid(text.size());
    return true;
}

}  // namespace

QString workspaceTitle(const QStringList& captionsFromRoot) {
    return QStringLiteral("     ") + captionsFromRoot.join(QStringLiteral("->"));
}

UnitContext unitContextOf(const QString& title) {
    UnitContext context;
    QStringView rest(title);
    if (!takeText(rest, u"     VELDAR->TVR (")) return context;
    context.address = takeNumber(rest);
    if (!context.address || !takeText(rest, u")->Измерительные каналы->Канал ")) return context;
    if (const auto channel = takeNumber(rest)) context.channelIndex = *channel - 1;
    return context;
}

}  // namespace veldar
