#include "navigation.h"

namespace veldar {
namespace {

constexpr int kLargestAddress = 255;

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

NodeKind nodeKind(const QString& caption) {
    static const QString channel = QStringLiteral("Канал ");
    if (caption == QLatin1String("VELDAR")) return NodeKind::VELDAR;
    if (caption == QStringLiteral("Терминал")) return NodeKind::Terminal;
    if (caption == QStringLiteral("Измерительные каналы")) return NodeKind::MeasuringChannels;
    for (int k = 1; k <= kUnitChannels; ++k)
        if (caption == channel + QString::number(k)) return NodeKind::Channel;
    if (caption == QStringLiteral("Датчик VLK")) return NodeKind::Sensor;
    if (caption == QStringLiteral("Градуировочная таблица")) return NodeKind::TarTab;
    if (caption == QStringLiteral("Выходы РЕЛЕ")) return NodeKind::Relay;
    if (caption == QStringLiteral("Календарь")) return NodeKind::Calendar;
    if (caption == QStringLiteral("Общие настройки")) return NodeKind::CommonSettings;
    return NodeKind::Unit;
}

QString unitCaption(int address) { return QStringLiteral("TVR (") + QString::number(address) + QLatin1Char(')'); }

std::optional<int> unitOfCaption(const QString& caption) {
    QStringView rest(caption);
    if (!takeText(rest, u"TVR (")) return std::nullopt;
    return takeNumber(rest);
}

QList<UnitChild> unitChildren() {
    QList<UnitChild> children{{1, QStringLiteral("Общие настройки")}, {1, QStringLiteral("Измерительные каналы")}};
    for (int k = 1; k <= kUnitChannels; ++k) {
        children.append({2, QStringLiteral("Канал ") + QString::number(k)});
        children.append({3, QStringLiteral("Датчик VLK")});
        children.append({3, QStringLiteral("Градуировочная таблица")});
    }
    children.append({1, QStringLiteral("Выходы РЕЛЕ")});
    children.append({1, QStringLiteral("Календарь")});
    return children;
}

TreePopup treePopupFor(const QString& caption) {
    if (caption == QLatin1String("VELDAR")) return TreePopup::AddUnit;
    if (caption.startsWith(QLatin1String("TVR"))) return TreePopup::DeleteUnit;
    return TreePopup::None;
}

TypedAddress typedAddress(const QString& text) {
    QString digits = text.trimmed();
    if (digits.isEmpty()) return {AddressInput::Empty, 0};
    for (const QChar c : digits)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return {AddressInput::OutOfRange, 0};
    while (digits.startsWith(QLatin1Char('0'))) digits.remove(0, 1);
    if (digits.isEmpty()) return {AddressInput::Empty, 0};
    if (digits.size() > 3 || digits.toInt() > kLargestAddress) return {AddressInput::OutOfRange, 0};
    return {AddressInput::Ok, digits.toInt()};
}

}  // namespace veldar
