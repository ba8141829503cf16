#include "port_map.h"

#include "../registry/registry.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>

namespace platform {
namespace {

QStringList numbered(const QString& devDir, const QString& prefix) {
    const QStringList names =
        QDir(devDir).entryList({prefix + QLatin1Char('*')}, QDir::System | QDir::Files);
    std::vector<std::pair<int, QString>> found;
    const QRegularExpression re(QLatin1Char('^') + prefix + QStringLiteral("(\\d+)$"));
    for (const QString& n : names) {
        const auto m = re.match(n);
        if (m.hasMatch()) found.emplace_back(m.captured(1).toInt(), devDir + QLatin1Char('/') + n);
    }
    std::sort(found.begin(), found.end());
    QStringList out;
    for (auto& f : found) out.append(f.second);
    return out;
}

// The kernel makes ttyS0..ttyS31 whether or not a UART is there; type 0 means none.
bool uartPresent(const QString& sysTtyDir, const QString& name) {
    QFile f(sysTtyDir + QLatin1Char('/') + name + QStringLiteral("/type"));
    if (!f.open(QIODevice::ReadOnly)) return false;
    return f.readAll().trimmed().toInt() != 0;
}

}  // namespace

PortMap::PortMap(Registry& registry) : registry_(registry) {}

QStringList PortMap::presentDevices(const QString& devDir, const QString& sysTtyDir) {
    QStringList out = numbered(devDir, QStringLiteral("ttyUSB"));
    out += numbered(devDir, QStringLiteral("ttyACM"));
    for (const QString& s : numbered(devDir, QStringLiteral("ttyS")))
        if (uartPresent(sysTtyDir, s.section(QLatin1Char('/'), -1))) out.append(s);
    return out;
}

QStringList PortMap::devices() const { return useFixed_ ? devices_ : presentDevices(); }

QString PortMap::devicePath(const QString& name) const {
    if (name.startsWith(QLatin1Char('/'))) return name;
    QStringList explicitPaths;  // index n-1 for COMn, empty when not set
    for (int n = 1; n <= kNames; ++n)
        explicitPaths.append(
            registry_.readString(QLatin1String(kKey), QStringLiteral("COM%1").arg(n)).value_or(QString()));
    if (auto own = registry_.readString(QLatin1String(kKey), name); own && !own->isEmpty())
        return *own;
    if (!name.startsWith(QLatin1String("COM"), Qt::CaseInsensitive)) return {};
    bool ok = false;
    const int number = name.mid(3).toInt(&ok);
    if (!ok || number < 1 || number > kNames) return {};

    // Devices named by an explicit entry are out of the default sharing.
    QStringList free;
    for (const QString& d : devices())
        if (!explicitPaths.contains(d)) free.append(d);
    int slot = 0;
    for (int n = 1; n < number; ++n)
        if (explicitPaths[n - 1].isEmpty()) ++slot;
    return slot < free.size() ? free[slot] : QString();
}

void PortMap::setEntry(const QString& name, const QString& path) {
    registry_.writeString(QLatin1String(kKey), name, path);
}

void PortMap::removeEntry(const QString& name) { registry_.deleteValue(QLatin1String(kKey), name); }

QStringList PortMap::describe() const {
    QStringList lines;
    for (int n = 1; n <= kNames; ++n) {
        const QString name = QStringLiteral("COM%1").arg(n);
        const QString path = devicePath(name);
        lines.append(name + QStringLiteral(" -> ") + (path.isEmpty() ? QStringLiteral("(none)") : path));
    }
    return lines;
}

}  // namespace platform
