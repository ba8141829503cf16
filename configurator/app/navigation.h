#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace veldar {

// The workspace title of a tree node: five blanks, then the captions from the root down to
// the node, joined by "->". Pages read the current unit and channel back from it.
QString workspaceTitle(const QStringList& captionsFromRoot);

// The current unit and channel as a title names them: the unit for every page of a unit,
// the channel (as its index, number − 1) for the pages of a channel.
struct UnitContext {
    std::optional<int> address;
    std::optional<int> channelIndex;
};
UnitContext unitContextOf(const QString& title);

}  // namespace veldar
