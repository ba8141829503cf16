#include "registry.h"

#include "../fs/files.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace platform {
namespace {

QStringList components(const QString& keyPath) {
    QString p = keyPath;
    p.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return p.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

bool validComponent(const QString& c) {
    return c != QLatin1String(".") && c != QLatin1String("..") && !c.contains(QChar(0));
}

QString canonicalKeyPath(const QString& keyPath) { return components(keyPath).join(QLatin1Char('\\')); }

}  // namespace

Registry::Registry(QString rootDir) : root_(std::move(rootDir)) {}

QString Registry::defaultRoot() {
    const QByteArray env = qgetenv("VELDAR_REGISTRY");
    if (!env.isEmpty()) return QString::fromLocal8Bit(env);
    QString config = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    if (config.isEmpty()) config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/veldar/registry");
}

std::optional<QString> Registry::keyDir(const QString& keyPath, bool create) const {
    QString dir = root_;
    if (create && !fs::makePath(dir)) return std::nullopt;
    if (!fs::dirExists(dir)) return std::nullopt;
    for (const QString& part : components(keyPath)) {
        if (!validComponent(part)) return std::nullopt;
        const QStringList entries = QDir(dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
        QString found;
        for (const QString& e : entries)
            if (e.compare(part, Qt::CaseInsensitive) == 0) {
                found = e;
                break;
            }
        if (found.isEmpty()) {
            if (!create || !QDir(dir).mkdir(part)) return std::nullopt;
            found = part;
        }
        dir += QLatin1Char('/') + found;
    }
    return dir;
}

std::vector<RegValue> Registry::load(const QString& dir) const {
    const QString path = dir + QLatin1Char('/') + QLatin1String(kValuesFile);
    QByteArray text;
    if (!fs::fileExists(path) || !fs::readFile(path, text)) return {};
    RegParseError error{};
    auto values = RegFile::parse(text, &error);
    if (values) return *values;
    // Keep the unreadable file for whoever wants to look at it; the key starts afresh.
    const QString base = path + QStringLiteral(".corrupt-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString aside = base;
    for (int n = 2; QFileInfo::exists(aside); ++n) aside = base + QStringLiteral("-%1").arg(n);
    if (QFile::rename(path, aside)) {
        keptAside_.append(aside);
        qWarning("registry: %s line %d: %s; kept aside as %s", qPrintable(path), error.line,
                 qPrintable(error.reason), qPrintable(aside));
    }
    return {};
}

bool Registry::store(const QString& dir, const QString& keyPath,
                     const std::vector<RegValue>& values) {
    return fs::replaceFile(dir + QLatin1Char('/') + QLatin1String(kValuesFile),
                           RegFile::write(canonicalKeyPath(keyPath), values));
}

const RegValue* Registry::find(const std::vector<RegValue>& values, const QString& name) const {
    for (const RegValue& v : values)
        if (v.name.compare(name, Qt::CaseInsensitive) == 0) return &v;
    return nullptr;
}

bool Registry::keyExists(const QString& keyPath) const { return keyDir(keyPath, false).has_value(); }

bool Registry::createKey(const QString& keyPath) { return keyDir(keyPath, true).has_value(); }

bool Registry::deleteKey(const QString& keyPath) {
    if (components(keyPath).isEmpty()) return false;
    auto dir = keyDir(keyPath, false);
    if (!dir) return false;
    return QDir(*dir).removeRecursively();
}

QStringList Registry::subKeys(const QString& keyPath) const {
    auto dir = keyDir(keyPath, false);
    if (!dir) return {};
    return QDir(*dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

std::optional<QString> Registry::readString(const QString& keyPath, const QString& name) const {
    auto dir = keyDir(keyPath, false);
    if (!dir) return std::nullopt;
    const auto values = load(*dir);
    const RegValue* v = find(values, name);
    if (!v || v->type != RegValue::Type::String) return std::nullopt;
    return v->text;
}

std::optional<QByteArray> Registry::readBinary(const QString& keyPath, const QString& name) const {
    auto dir = keyDir(keyPath, false);
    if (!dir) return std::nullopt;
    const auto values = load(*dir);
    const RegValue* v = find(values, name);
    if (!v || v->type != RegValue::Type::Binary) return std::nullopt;
    return v->bytes;
}

std::optional<quint32> Registry::readDword(const QString& keyPath, const QString& name) const {
    auto dir = keyDir(keyPath, false);
    if (!dir) return std::nullopt;
    const auto values = load(*dir);
    const RegValue* v = find(values, name);
    if (!v || v->type != RegValue::Type::Dword) return std::nullopt;
    return v->dword;
}

QStringList Registry::valueNames(const QString& keyPath) const {
    auto dir = keyDir(keyPath, false);
    if (!dir) return {};
    QStringList names;
    for (const RegValue& v : load(*dir)) names.append(v.name);
    return names;
}

bool Registry::setValue(const QString& keyPath, RegValue value) {
    auto dir = keyDir(keyPath, true);
    if (!dir) return false;
    auto values = load(*dir);
    bool replaced = false;
    for (RegValue& v : values) {
        if (v.name.compare(value.name, Qt::CaseInsensitive) == 0) {
            value.name = v.name;
            v = value;
            replaced = true;
            break;
        }
    }
    if (!replaced) values.push_back(value);
    return store(*dir, keyPath, values);
}

bool Registry::writeString(const QString& keyPath, const QString& name, const QString& value) {
    RegValue v;
    v.name = name;
    v.type = RegValue::Type::String;
    v.text = value;
    return setValue(keyPath, v);
}

bool Registry::writeBinary(const QString& keyPath, const QString& name, const QByteArray& value) {
    RegValue v;
    v.name = name;
    v.type = RegValue::Type::Binary;
    v.bytes = value;
    return setValue(keyPath, v);
}

bool Registry::writeDword(const QString& keyPath, const QString& name, quint32 value) {
    RegValue v;
    v.name = name;
    v.type = RegValue::Type::Dword;
    v.dword = value;
    return setValue(keyPath, v);
}

bool Registry::deleteValue(const QString& keyPath, const QString& name) {
    auto dir = keyDir(keyPath, false);
    if (!dir) return false;
    auto values = load(*dir);
    const auto before = values.size();
    std::erase_if(values, [&](const RegValue& v) {
        return v.name.compare(name, Qt::CaseInsensitive) == 0;
    });
    if (values.size() == before) return false;
    return store(*dir, keyPath, values);
}

}  // namespace platform
