#pragma once

#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <map>

class QLabel;
class QMenu;
class QSplitter;
class QStackedLayout;
class QTreeWidget;
class QTreeWidgetItem;

namespace veldar {

// `PanelMain`: the project tree on the left, the workspace title and the pages on the right.
// Pages are installed by number; choosing a tree node sets the title and runs the action
// registered for the node's caption.
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

    void setPage(int number, QWidget* page);
    QWidget* page(int number) const { return pages_.at(static_cast<std::size_t>(number)); }
    // Shows one page and hides the others.
    void showPage(int number);

    void setNodeAction(const QString& caption, std::function<void()> action);
    QTreeWidget* tree() const { return twProjectTree; }
    // The path of the node chosen last; pages read the current unit and channel from it.
    QString title() const;

    // While an operation waits for a unit: the workspace and the tree are disabled and the
    // busy cursor shows, until the answer or the time-out releases them.
    void hold();
    void release();

private:
    void twProjectTreeChange(QTreeWidgetItem* node);

    QWidget* PanelProjectTree;
    QTreeWidget* twProjectTree;
    QMenu* popupMenuProjectTree;
    QSplitter* splitter_;
    QLabel* PanelMainFrameTitle;
    QWidget* PanelFullContaints;
    QStackedLayout* stack_;
    std::array<QWidget*, kPages + 1> pages_{};
    std::map<QString, std::function<void()>> actions_;
    bool held_ = false;
};

}  // namespace veldar
