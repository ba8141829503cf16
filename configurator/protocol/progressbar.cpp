#include "progressbar.h"

#include <QProgressBar>
#include <QVBoxLayout>

namespace veldar {

TfrmProgressBar::TfrmProgressBar(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      bar_(new QProgressBar) {
    setObjectName(QStringLiteral("TfrmProgressBar"));
    bar_->setObjectName(QStringLiteral("ProgressBar"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bar_);
    resize(360, 60);
}

void TfrmProgressBar::start(const QString& caption, int range) {
    setWindowTitle(caption);
    bar_->setRange(0, range);
    bar_->setValue(0);
    show();
}

void TfrmProgressBar::advance() { bar_->setValue(bar_->value() + 1); }

int TfrmProgressBar::position() const { return bar_->value(); }

int TfrmProgressBar::range() const { return bar_->maximum(); }

}  // namespace veldar
