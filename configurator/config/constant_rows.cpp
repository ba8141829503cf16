#include "constant_rows.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace veldar {
namespace {

const std::array<const char*, kConstantRows> kCaptions{
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

constexpr int kRowsWidth = ConstantRows::kEditLeft + ConstantRows::kRegimeEditWidth + ConstantRows::kLabelLeft;

}  // namespace

ConstantRows::ConstantRows(QWidget* parent) : QScrollArea(parent), rows_(new QWidget) {
    setObjectName(QStringLiteral("ScrollBox1"));
    // The fixed 350-pixel captions were laid out for a small font.
    QFont small = rows_->font();
    small.setPointSizeF(8);
    rows_->setFont(small);
    rows_->setAutoFillBackground(true);
    for (int row = 0; row < kConstantRows; ++row) {
        auto* label = new QLabel(QString::fromUtf8(kCaptions[static_cast<std::size_t>(row)]), rows_);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* edit = new QLineEdit(rows_);
        edit->setFrame(false);
        edit->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid rgb(214, 208, 196); }"));
        labels_[static_cast<std::size_t>(row)] = label;
        edits_[static_cast<std::size_t>(row)] = edit;
    }
    // Regime and liquid come from their dialogs only, so a typing slip cannot become a code.
    for (int row : {kRegimeRow, kLiquidRow}) {
        edit(row)->setReadOnly(true);
        edit(row)->installEventFilter(this);
    }
    place(allRowsShown());
    setWidget(rows_);
}

void ConstantRows::place(const RowPlaces& places) {
    int bottom = 0;
    for (int row = 0; row < kConstantRows; ++row) {
        const RowPlace& p = places[static_cast<std::size_t>(row)];
        const int editWidth = row == kRegimeRow ? kRegimeEditWidth : kEditWidth;
        label(row)->setGeometry(kLabelLeft, p.top, kLabelWidth, kRowHeight);
        edit(row)->setGeometry(kEditLeft, p.top, editWidth, kRowHeight);
        label(row)->setVisible(p.shown);
        edit(row)->setVisible(p.shown);
        if (p.shown) bottom = std::max(bottom, p.top + kRowHeight);
    }
    // The box scrolls over the rows that show.
    rows_->setFixedSize(kRowsWidth, bottom + kFirstRowTop);
}

RowPlaces ConstantRows::places() const {
    RowPlaces places;
    for (int row = 0; row < kConstantRows; ++row)
        places[static_cast<std::size_t>(row)] = {!label(row)->isHidden(), label(row)->y()};
    return places;
}

ConstantRowTexts ConstantRows::texts() const {
    ConstantRowTexts texts;
    for (int row = 0; row < kConstantRows; ++row) texts[static_cast<std::size_t>(row)] = edit(row)->text();
    return texts;
}

void ConstantRows::setTexts(const ConstantRowTexts& texts) {
    for (int row = 0; row < kConstantRows; ++row) {
        edit(row)->setText(texts[static_cast<std::size_t>(row)]);
        edit(row)->setCursorPosition(0);
    }
}

void ConstantRows::layOutForRegime() {
    verticalScrollBar()->setValue(0);
    place(rowPlacesForRegime(edit(kRegimeRow)->text(), places()));
    viewport()->update();
}

bool ConstantRows::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == edit(kRegimeRow)) emit SetRegimeClick();
        if (watched == edit(kLiquidRow)) emit SetLiquidTypeClick();
    }
    return QScrollArea::eventFilter(watched, event);
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
