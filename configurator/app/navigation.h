#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace veldar {

inline constexpr int kUnitChannels = 8;

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

// What a tree node is, told by its caption in the order the captions are compared; every
// caption that is none of the others is a unit node.
enum class NodeKind {
    VELDAR,
    Terminal,
    MeasuringChannels,
    Channel,
    Sensor,
    TarTab,
    Relay,
    Calendar,
    CommonSettings,
    Unit,
};
NodeKind nodeKind(const QString& caption);

// "TVR (" + address + ")".
QString unitCaption(int address);
// The address in a caption "TVR (%d)".
std::optional<int> unitOfCaption(const QString& caption);
// The captions under a unit node, each with its depth below it (1 for its children), in the
// tree's order: 28 nodes.
struct UnitChild {
    int depth;
    QString caption;
};
QList<UnitChild> unitChildren();

// Which item the tree's pop-up menu offers for a node; none means no menu opens.
enum class TreePopup { None, AddUnit, DeleteUnit };
TreePopup treePopupFor(const QString& caption);

// An address as the operator types it for a new unit or a new address: the number, or why
// not. Leading zeros are the same number ("007" is 7).
enum class AddressInput { Ok, Empty, OutOfRange };
struct TypedAddress {
    AddressInput check;
    int address;
};
TypedAddress typedAddress(const QString& text);

}  // namespace veldar
