#include "settings.h"

#include "platform/registry/registry.h"

namespace veldar {

QString Settings::read(const QString& name) {
    registry_.createKey(kKey);
    return registry_.readString(kKey, name).value_or(QString());
}

void Settings::write(const QString& name, const QString& value) { registry_.writeString(kKey, name, value); }

}  // namespace veldar
