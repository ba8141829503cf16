#include "progressbar.h"

#include <QProgressBar>
#include <QVBoxLayout>

namespace veldar {

TfrmProgressBar::TfrmProgressBar(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      bar_(new QProgressBar) {
    setObjectName(QStringLiteral("TfrmProgressBar"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bar_);
    resize(360, 60);
}

}  // namespace veldar
