#pragma once

#include <QString>
#include <QStringList>

namespace veldar {

// The workspace title of a tree node: five blanks, then the captions from the root down to
// the node, joined by "->". Pages read the current unit and channel back from it.
QString workspaceTitle(const QStringList& captionsFromRoot);

}  // namespace veldar
