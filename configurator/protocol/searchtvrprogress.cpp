#include "searchtvrprogress.h"

#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace veldar {

TfrmSearchTVRProgress::TfrmSearchTVRProgress(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint),
      bar_(new QProgressBar),
      btnCancelSearch(new QPushButton(QStringLiteral("Отмена"))) {
    setObjectName(QStringLiteral("TfrmSearchTVRProgress"));
    setWindowTitle(QStringLiteral("Поиск TVR"));
    bar_->setObjectName(QStringLiteral("ProgressBar"));
    btnCancelSearch->setObjectName(QStringLiteral("btnCancelSearch"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bar_);
    layout->addWidget(btnCancelSearch, 0, Qt::AlignHCenter);
    resize(360, 90);
    connect(btnCancelSearch, &QPushButton::clicked, this, &TfrmSearchTVRProgress::cancelRequested);
}

// Position 1 at the start: the first address is being asked.
void TfrmSearchTVRProgress::start(int range) {
    bar_->setRange(0, range);
    bar_->setValue(1);
    show();
}

void TfrmSearchTVRProgress::advance() { bar_->setValue(bar_->value() + 1); }

int TfrmSearchTVRProgress::position() const { return bar_->value(); }

int TfrmSearchTVRProgress::range() const { return bar_->maximum(); }

}  // namespace veldar
