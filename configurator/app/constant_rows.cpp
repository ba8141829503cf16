#include "constant_rows.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace veldar {
namespace {

const std::array<const char*, ConstantRows::kRows> kCaptions{
    "Адрес датчика",
    "Время ожидания ответа",
    "Режим работы",
    "Состав газа",
    "V0, 100% объема, литры",
    "L0, уровень при 100% объема, мм",
    "X, расстояние от конца электрода до дна, мм",
    "T01, парамерт платы",
    "CK1, парамерт платы",
    "L1, длина электрода, мм",
    "CD, емкость электрода в нуле, пФ",
    "Kd, параметр плотности СУГ",
    "CL, настройка максимума, пФ/дм",
    "K1, параметр расчета диэл. проницаемости жидкости",
    "dP, фильтрация показаний датчика давления",
    "kP, коэффициент пересчета давления",
    "dU, подстройка нуля датчика давления",
    "TC, коррекция инструментальных погрешностей",
    "TS, коэффициент температурной коррекции плотности",
    "K, коррекция плотности",
    "Уставка максимальное даваление, амт",
    "Уставка минимум, мм",
    "Уставка максимум, мм",
    "Уставка аварийный максимум, мм",
    "Уставка пар, кг/м3",
};

}  // namespace

ConstantRows::ConstantRows(QWidget* parent) : QScrollArea(parent) {
    setObjectName(QStringLiteral("ScrollBox1"));
    auto* rows = new QWidget;
    // The fixed 350-pixel captions were laid out for a small font.
    QFont small = rows->font();
    small.setPointSizeF(8);
    rows->setFont(small);
    rows->setAutoFillBackground(true);
    rows->setFixedSize(kEditLeft + kRegimeEditWidth + kLabelLeft, rowTop(kRows) + kLabelLeft);
    for (int row = 0; row < kRows; ++row) {
        auto* label = new QLabel(QString::fromUtf8(kCaptions[static_cast<std::size_t>(row)]), rows);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(kLabelLeft, rowTop(row), kLabelWidth, kRowHeight);
        auto* edit = new QLineEdit(rows);
        edit->setFrame(false);
        edit->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid rgb(214, 208, 196); }"));
        edit->setGeometry(kEditLeft, rowTop(row), row == kRegimeRow ? kRegimeEditWidth : kEditWidth, kRowHeight);
        labels_[static_cast<std::size_t>(row)] = label;
        edits_[static_cast<std::size_t>(row)] = edit;
    }
    setWidget(rows);
}

void ConstantRows::wheelEvent(QWheelEvent* event) {
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(wheelScrolled(bar->value(), event->angleDelta().y(), bar->maximum()));
    event->accept();
}

int wheelScrolled(int position, int wheelDelta, int maximum) {
    if (wheelDelta == 0) return position;
    int notches = wheelDelta / QWheelEvent::DefaultDeltasPerStep;
    if (notches == 0) notches = wheelDelta > 0 ? 1 : -1;
    return std::clamp(position - notches * ConstantRows::kWheelStep, 0, std::max(maximum, 0));
}

}  // namespace veldar
