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
    btnCancelSearch->setObjectName(QStringLiteral("btnCancelSearch"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bar_);
    layout->addWidget(btnCancelSearch, 0, Qt::AlignHCenter);
    resize(360, 90);
}

}  // namespace veldar
