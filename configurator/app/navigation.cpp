#include "navigation.h"

namespace veldar {

QString workspaceTitle(const QStringList& captionsFromRoot) {
    return QStringLiteral("     ") + captionsFromRoot.join(QStringLiteral("->"));
}

}  // namespace veldar
