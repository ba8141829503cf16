#include "workspace.h"

#include "navigation.h"
#include "panel_header.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
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
      splitter_(new QSplitter(Qt::Horizontal)),
      PanelMainFrameTitle(panelHeader(QStringLiteral("     Основное рабочее пространство"), QStringLiteral("PanelMainFrameTitle"))),
      PanelFullContaints(new QWidget),
      stack_(new QStackedLayout) {
    setObjectName(QStringLiteral("PanelMain"));

    PanelProjectTree->setObjectName(QStringLiteral("PanelProjectTree"));
    twProjectTree->setObjectName(QStringLiteral("twProjectTree"));
    twProjectTree->setHeaderHidden(true);
    twProjectTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    twProjectTree->setContextMenuPolicy(Qt::CustomContextMenu);
    twProjectTree->addTopLevelItem(new QTreeWidgetItem({QStringLiteral("Терминал")}));
    twProjectTree->addTopLevelItem(new QTreeWidgetItem({QStringLiteral("VELDAR")}));
    popupMenuProjectTree->setObjectName(QStringLiteral("popupMenuProjectTree"));
    popupMenuProjectTree->addAction(QStringLiteral("Добавить TVR"))->setObjectName(QStringLiteral("pumAddTVR"));
    popupMenuProjectTree->addAction(QStringLiteral("Удалить TVR"))->setObjectName(QStringLiteral("pumDeleteTVR"));
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
}

void Workspace::setPage(int number, QWidget* page) {
    pages_.at(static_cast<std::size_t>(number)) = page;
    stack_->addWidget(page);
}

void Workspace::showPage(int number) {
    if (QWidget* p = page(number)) stack_->setCurrentWidget(p);
}

void Workspace::setNodeAction(const QString& caption, std::function<void()> action) {
    actions_[caption] = std::move(action);
}

QString Workspace::title() const { return PanelMainFrameTitle->text(); }

void Workspace::hold() {
    PanelFullContaints->setEnabled(false);
    PanelProjectTree->setEnabled(false);
    if (!held_) QApplication::setOverrideCursor(Qt::WaitCursor);
    held_ = true;
}

void Workspace::release() {
    PanelFullContaints->setEnabled(true);
    PanelProjectTree->setEnabled(true);
    if (held_) QApplication::restoreOverrideCursor();
    held_ = false;
}

void Workspace::twProjectTreeChange(QTreeWidgetItem* node) {
    if (!node) return;
    QStringList path;
    for (QTreeWidgetItem* n = node; n; n = n->parent()) path.prepend(n->text(0));
    PanelMainFrameTitle->setText(workspaceTitle(path));
    const auto action = actions_.find(node->text(0));
    if (action != actions_.end()) action->second();
}

}  // namespace veldar
