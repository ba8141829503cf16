#include "setliquidtype.h"

#include <QGridLayout>
#include <QPushButton>
#include <QRadioButton>

namespace veldar {
namespace {

struct Liquid {
    const char* name;
    const char* caption;
};

const Liquid kLiquids[] = {
    {"rbPropan100", "Пропан"},   {"rbPropan90", "Смесь 90"}, {"rbPropan80", "Смесь 80"},
    {"rbPropan70", "Смесь 70"},  {"rbPropan60", "Смесь 60"}, {"rbPropan50", "Смесь 50"},
    {"rbPropan40", "Смесь 40"},  {"rbPropan30", "Смесь 30"}, {"rbPropan20", "Смесь 20"},
    {"rbPropan10", "Смесь 10"},  {"rbButan", "Бутан"},       {"rbBBF", "ББФ"},
    {"rbSFLU", "ШФЛУ"},
};

}  // namespace

TfrmSetLiquidType::TfrmSetLiquidType(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), btnOK(new QPushButton(QStringLiteral("OK"))) {
    setObjectName(QStringLiteral("TfrmSetLiquidType"));
    setWindowTitle(QStringLiteral("Состав СУГ"));
    btnOK->setObjectName(QStringLiteral("btnOK"));
    auto* grid = new QGridLayout(this);
    int row = 0;
    for (const Liquid& liquid : kLiquids) {
        auto* rb = new QRadioButton(QString::fromUtf8(liquid.caption));
        rb->setObjectName(QString::fromLatin1(liquid.name));
        grid->addWidget(rb, row % 7, row / 7);
        ++row;
    }
    grid->addWidget(btnOK, 7, 0, 1, 2, Qt::AlignHCenter);
}

}  // namespace veldar
