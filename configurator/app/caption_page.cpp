#include "caption_page.h"

#include <QLabel>
#include <QVBoxLayout>

namespace veldar {

CaptionPage::CaptionPage(const QString& objectName, const QString& caption, QWidget* parent)
    : QWidget(parent), caption_(new QLabel(caption)) {
    setObjectName(objectName);
    caption_->setObjectName(objectName + QStringLiteral("Caption"));
    caption_->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption_);
}

void CaptionPage::setCaption(const QString& caption) { caption_->setText(caption); }

}  // namespace veldar
