#include "setliquidtype.h"

#include "constchannelfunc.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace veldar {
namespace {

// In the order of the liquid codes 1..13.
const char* const kButtonNames[kLiquidTypes] = {
    "rbPropan100", "rbPropan90", "rbPropan80", "rbPropan70", "rbPropan60", "rbPropan50", "rbPropan40",
    "rbPropan30",  "rbPropan20", "rbPropan10", "rbButan",    "rbBBF",      "rbSFLU",
};

}  // namespace

TfrmSetLiquidType::TfrmSetLiquidType(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), btnOK(new QPushButton(QStringLiteral("OK"))) {
    setObjectName(QStringLiteral("TfrmSetLiquidType"));
    setWindowTitle(QStringLiteral("Состав СУГ"));
    btnOK->setObjectName(QStringLiteral("btnOK"));
    auto* grid = new QGridLayout(this);
    for (int i = 0; i < kLiquidTypes; ++i) {
        auto* rb = new QRadioButton(liquidText(static_cast<std::uint8_t>(i + 1)));
        rb->setObjectName(QString::fromLatin1(kButtonNames[i]));
        grid->addWidget(rb, i % 7, i / 7, Qt::AlignLeft);
        liquids_.push_back(rb);
    }
    grid->addWidget(btnOK, 7, 0, 1, 2, Qt::AlignHCenter);
    connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
}

void TfrmSetLiquidType::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TfrmSetLiquidType::FormShow() {
    if (!liquidEdit_) return;
    // A row showing no known liquid leaves the buttons as they were last time.
    for (QRadioButton* rb : liquids_)
        if (rb->text() == liquidEdit_->text()) rb->setChecked(true);
}

void TfrmSetLiquidType::btnOKClick() {
    if (liquidEdit_)
        for (QRadioButton* rb : liquids_)
            if (rb->isChecked()) liquidEdit_->setText(rb->text());
    close();
}

}  // namespace veldar
