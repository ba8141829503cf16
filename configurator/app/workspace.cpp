#include "workspace.h"

#include "panel_header.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QSignalBlocker>
#include <QSplitter>
#include <QSplitterHandle>
#include <QStackedLayout>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace veldar {

Workspace::Workspace(QWidget* parent)
    : QWidget(parent),
      PanelProjectTree(new QWidget),
      twProjectTree(new QTreeWidget),
      popupMenuProjectTree(new QMenu(this)),
      pumAddTVR(popupMenuProjectTree->addAction(QStringLiteral("Добавить TVR"))),
      pumDeleteTVR(popupMenuProjectTree->addAction(QStringLiteral("Удалить TVR"))),
      splitter_(new QSplitter(Qt::Horizontal)),
      PanelMainFrameTitle(panelHeader(QStringLiteral("     Основное рабочее пространство"), QStringLiteral("PanelMainFrameTitle"))),
      PanelFullContaints(new QWidget),
      stack_(new QStackedLayout) {
    setObjectName(QStringLiteral("PanelMain"));

    PanelProjectTree->setObjectName(QStringLiteral("PanelProjectTree"));
    twProjectTree->setObjectName(QStringLiteral("twProjectTree"));
    twProjectTree->setHeaderHidden(true);
    // Captions are never cut short: the narrow tree scrolls sideways instead.
    twProjectTree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    twProjectTree->header()->setStretchLastSection(false);
    twProjectTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    twProjectTree->setContextMenuPolicy(Qt::CustomContextMenu);
    resetTree();
    popupMenuProjectTree->setObjectName(QStringLiteral("popupMenuProjectTree"));
    pumAddTVR->setObjectName(QStringLiteral("pumAddTVR"));
    pumDeleteTVR->setObjectName(QStringLiteral("pumDeleteTVR"));
    auto* treeLayout = new QVBoxLayout(PanelProjectTree);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeLayout->setSpacing(0);
    treeLayout->addWidget(panelHeader(QStringLiteral("Состав системы")));
    treeLayout->addWidget(twProjectTree);

    PanelFullContaints->setObjectName(QStringLiteral("PanelFullContaints"));
    PanelFullContaints->setLayout(stack_);
    auto* nothingChosen = new QLabel(QStringLiteral("Выберите элемент для настройки"));
    nothingChosen->setAlignment(Qt::AlignCenter);
    stack_->addWidget(nothingChosen);

    auto* right = new QWidget;
    right->setObjectName(QStringLiteral("PanelRightTopArea"));
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);
    rightLayout->addWidget(PanelMainFrameTitle);
    rightLayout->addWidget(PanelFullContaints, 1);

    splitter_->addWidget(PanelProjectTree);
    splitter_->addWidget(right);
    splitter_->handle(1)->setObjectName(QStringLiteral("AdvSplitter2"));
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({kTreeWidth, 1000});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter_);

    connect(twProjectTree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* node) { twProjectTreeChange(node); });
    connect(twProjectTree, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { twProjectTreeContextPopup(at); });
}

Workspace::~Workspace() { setBusy(false); }

void Workspace::setPage(int number, QWidget* page) {
    pages_.at(static_cast<std::size_t>(number)) = page;
    stack_->addWidget(page);
}

void Workspace::showPage(int number) {
    if (QWidget* p = page(number)) stack_->setCurrentWidget(p);
    emit pageShown(number);
}

void Workspace::setNodeAction(NodeKind kind, std::function<void(const QString&)> action) {
    actions_[kind] = std::move(action);
}

void Workspace::resetTree() {
    twProjectTree->clear();
    twProjectTree->addTopLevelItem(new QTreeWidgetItem({QStringLiteral("Терминал")}));
    twProjectTree->addTopLevelItem(new QTreeWidgetItem({QStringLiteral("VELDAR")}));
}

QTreeWidgetItem* Workspace::veldarNode() const { return twProjectTree->topLevelItem(1); }

QTreeWidgetItem* Workspace::addUnitNode(int address) {
    auto* unit = new QTreeWidgetItem(veldarNode(), {unitCaption(address)});
    QTreeWidgetItem* parents[4] = {unit, nullptr, nullptr, nullptr};
    for (const UnitChild& child : unitChildren()) {
        auto* node = new QTreeWidgetItem(parents[child.depth - 1], {child.caption});
        parents[child.depth] = node;
    }
    return unit;
}

QTreeWidgetItem* Workspace::unitNode(int address) const {
    const QString caption = unitCaption(address);
    QTreeWidgetItem* veldar = veldarNode();
    for (int i = 0; i < veldar->childCount(); ++i)
        if (veldar->child(i)->text(0) == caption) return veldar->child(i);
    return nullptr;
}

void Workspace::removeNode(QTreeWidgetItem* node) {
    const QSignalBlocker quiet(twProjectTree);
    delete node;
}

void Workspace::chooseNode(QTreeWidgetItem* node) {
    if (twProjectTree->currentItem() == node)
        twProjectTreeChange(node);
    else
        twProjectTree->setCurrentItem(node);
}

QString Workspace::title() const { return PanelMainFrameTitle->text(); }

std::optional<int> Workspace::currentChannel() const {
    const auto index = unitContextOf(title()).channelIndex;
    return index ? std::optional<int>(*index + 1) : std::nullopt;
}

void Workspace::hold() {
    PanelFullContaints->setEnabled(false);
    PanelProjectTree->setEnabled(false);
    setBusy(true);
}

void Workspace::release() {
    PanelFullContaints->setEnabled(true);
    PanelProjectTree->setEnabled(true);
    setBusy(false);
}

bool Workspace::held() const { return !PanelProjectTree->isEnabled(); }

void Workspace::setBusy(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void Workspace::twProjectTreeChange(QTreeWidgetItem* node) {
    if (!node) return;
    QStringList path;
    for (QTreeWidgetItem* n = node; n; n = n->parent()) path.prepend(n->text(0));
    PanelMainFrameTitle->setText(workspaceTitle(path));
    const QString caption = node->text(0);
    const auto action = actions_.find(nodeKind(caption));
    if (action != actions_.end() && action->second) action->second(caption);
}

void Workspace::twProjectTreeContextPopup(const QPoint& at) {
    QTreeWidgetItem* node = twProjectTree->itemAt(at);
    if (!node) return;
    twProjectTree->setCurrentItem(node);
    const TreePopup offer = treePopupFor(node->text(0));
    if (offer == TreePopup::None) return;
    pumAddTVR->setVisible(offer == TreePopup::AddUnit);
    pumDeleteTVR->setVisible(offer == TreePopup::DeleteUnit);
    popupMenuProjectTree->popup(twProjectTree->viewport()->mapToGlobal(at));
}

}  // namespace veldar
