#include "navigation.h"

namespace veldar {
namespace {

const QString kUnitTitle = QStringLiteral("     VELDAR->TVR (");
const QString kChannelAfterUnit = QStringLiteral(")->Измерительные каналы->Канал ");
constexpr int kLargestAddress = 255;

// A decimal integer at `pos` as the C library's scan of "%d" takes it (leading blanks and a
// sign allowed); `pos` moves past it.
std::optional<int> scanInt(const QString& s, qsizetype& pos) {
    qsizetype i = pos;
    while (i < s.size() && s[i].isSpace()) ++i;
    const qsizetype start = i;
    if (i < s.size() && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+'))) ++i;
    const qsizetype digits = i;
    while (i < s.size() && s[i] >= QLatin1Char('0') && s[i] <= QLatin1Char('9')) ++i;
    if (i == digits) return std::nullopt;
    bool ok = false;
    const int value = s.mid(start, i - start).toInt(&ok);
    if (!ok) return std::nullopt;
    pos = i;
    return value;
}

}  // namespace

QString workspaceTitle(const QStringList& captionsFromRoot) {
    return QStringLiteral("     ") + captionsFromRoot.join(QStringLiteral("->"));
}

std::optional<int> unitOfTitle(const QString& title) {
    if (!title.startsWith(kUnitTitle)) return std::nullopt;
    qsizetype pos = kUnitTitle.size();
    return scanInt(title, pos);
}

std::optional<int> channelOfTitle(const QString& title) {
    if (!title.startsWith(kUnitTitle)) return std::nullopt;
    qsizetype pos = kUnitTitle.size();
    if (!scanInt(title, pos) || !QStringView(title).mid(pos).startsWith(kChannelAfterUnit)) return std::nullopt;
    pos += kChannelAfterUnit.size();
    return scanInt(title, pos);
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
    static const QString prefix = QStringLiteral("TVR (");
    if (!caption.startsWith(prefix)) return std::nullopt;
    qsizetype pos = prefix.size();
    return scanInt(caption, pos);
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
