#include "aboutdlg.h"

#include "burnet_icon.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace burnet {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CAboutDlg"));
    setWindowTitle(QStringLiteral("关于 Burnet"));
    auto* icon = new QLabel;
    icon->setPixmap(burnetIcon().pixmap(32, 32));
    auto* text = new QLabel(QStringLiteral("Burnet 1.35C 版"));
    text->setObjectName(QStringLiteral("name"));
    auto* ok = new QPushButton(QStringLiteral("确定"));
    ok->setObjectName(QStringLiteral("IDOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(text, 0, 1);
    grid->addWidget(ok, 0, 2);
    grid->setColumnStretch(1, 1);
    setFixedSize(sizeHint());
}

}  // namespace burnet
