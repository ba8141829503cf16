#pragma once

#include "navigation.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <map>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QPoint;
class QSplitter;
class QStackedLayout;
class QTreeWidget;
class QTreeWidgetItem;

namespace veldar {

// `PanelMain`: the project tree on the left, the workspace title and the pages on the right.
// Pages are installed by number; choosing a tree node sets the title and runs the action
// registered for the node's kind. The title is the program's record of the current unit and
// channel.
class Workspace : public QWidget {
    Q_OBJECT
public:
    enum Page {
        kVELDAR = 1,
        kRSSettings,
        kTVR,
        kMeasuringChannels,
        kChannel,
        kSensorSettings,
        kTarTab,
        kRelaySettings,
        kCalendar,
        kTVRCommonSettings,
    };
    static constexpr int kPages = 10;
    static constexpr int kTreeWidth = 185;

    explicit Workspace(QWidget* parent = nullptr);
    ~Workspace() override;

    void setPage(int number, QWidget* page);
    QWidget* page(int number) const { return pages_.at(static_cast<std::size_t>(number)); }
    // Shows one page and hides the others; every page change is announced by pageShown.
    void showPage(int number);

    // What choosing a node of this kind does after the title is set; it gets the caption.
    void setNodeAction(NodeKind kind, std::function<void(const QString& caption)> action);

    // --- the tree ---
    QTreeWidget* tree() const { return twProjectTree; }
    // Back to the two roots "Терминал" and "VELDAR".
    void resetTree();
    QTreeWidgetItem* veldarNode() const;
    // Appends "TVR (address)" with its 28 descendants under "VELDAR".
    QTreeWidgetItem* addUnitNode(int address);
    QTreeWidgetItem* unitNode(int address) const;
    // Removes a node with everything under it; whatever the tree makes current instead is
    // not a choice (nothing runs) until chooseNode.
    void removeNode(QTreeWidgetItem* node);
    // Makes the node the chosen one and runs its action as a user's choice does, also when it
    // is the chosen one already.
    void chooseNode(QTreeWidgetItem* node);
    QAction* addUnitItem() const { return pumAddTVR; }
    QAction* deleteUnitItem() const { return pumDeleteTVR; }

    // --- the title and what it says ---
    // The path of the node chosen last; pages read the current unit and channel from it.
    QString title() const;
    std::optional<int> currentUnit() const { return unitContextOf(title()).address; }
    // The channel number 1..8 on the pages of a channel.
    std::optional<int> currentChannel() const;

    // --- waiting for the line ---
    // While an operation waits for a unit: the workspace and the tree are disabled and the
    // busy cursor shows, until the answer or the time-out releases them.
    void hold();
    void release();
    bool held() const;
    // The busy cursor alone (the tree rebuild).
    void setBusy(bool busy);

signals:
    void pageShown(int number);

private:
    void twProjectTreeChange(QTreeWidgetItem* node);
    void twProjectTreeContextPopup(const QPoint& at);

    QWidget* PanelProjectTree;
    QTreeWidget* twProjectTree;
    QMenu* popupMenuProjectTree;
    QAction* pumAddTVR;
    QAction* pumDeleteTVR;
    QSplitter* splitter_;
    QLabel* PanelMainFrameTitle;
    QWidget* PanelFullContaints;
    QStackedLayout* stack_;
    std::array<QWidget*, kPages + 1> pages_{};
    std::map<NodeKind, std::function<void(const QString&)>> actions_;
    bool busy_ = false;
};

}  // namespace veldar
