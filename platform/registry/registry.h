#pragma once

#include "reg_file.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace platform {

// The per-user registry (a stand-in for HKEY_CURRENT_USER). Keys are folders under one root;
// a key's values live in one text file in the regedit export syntax inside its folder. Key
// paths use backslashes ("Software\Halvard\Burnet"); key and value names compare without
// regard to case and keep the spelling they were created with. Every change replaces the
// key's file atomically. A key file that cannot be parsed is kept aside under another name
// and the key reads as empty.
class Registry {
public:
    explicit Registry(QString rootDir);

    // $VELDAR_REGISTRY when set, else $XDG_CONFIG_HOME/veldar/registry (~/.config/...).
    static QString defaultRoot();

    const QString& root() const { return root_; }

    bool keyExists(const QString& keyPath) const;
    bool createKey(const QString& keyPath);
    // Deletes the key with its values and all its sub-keys.
    bool deleteKey(const QString& keyPath);
    QStringList subKeys(const QString& keyPath) const;

    // Missing key or value, or a value of another type, reads as nullopt.
    std::optional<QString> readString(const QString& keyPath, const QString& name) const;
    std::optional<QByteArray> readBinary(const QString& keyPath, const QString& name) const;
    std::optional<quint32> readDword(const QString& keyPath, const QString& name) const;
    // Writing creates the key when it is missing.
    bool writeString(const QString& keyPath, const QString& name, const QString& value);
    bool writeBinary(const QString& keyPath, const QString& name, const QByteArray& value);
    bool writeDword(const QString& keyPath, const QString& name, quint32 value);
    bool deleteValue(const QString& keyPath, const QString& name);
    QStringList valueNames(const QString& keyPath) const;

    // Key files found unreadable and kept aside, newest last (for the caller to report).
    const QStringList& keptAside() const { return keptAside_; }

    static constexpr const char* kValuesFile = "values.reg";

private:
    std::optional<QString> keyDir(const QString& keyPath, bool create) const;
    std::vector<RegValue> load(const QString& dir) const;
    bool store(const QString& dir, const QString& keyPath, const std::vector<RegValue>& values);
    bool setValue(const QString& keyPath, RegValue value);
    const RegValue* find(const std::vector<RegValue>& values, const QString& name) const;

    QString root_;
    mutable QStringList keptAside_;
};

}  // namespace platform
