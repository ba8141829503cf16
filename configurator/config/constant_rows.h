#pragma once

#include "constchannelfunc.h"

#include <QScrollArea>

#include <array>

class QLabel;
class QLineEdit;

namespace veldar {

// `ScrollBox1`: the 25 rows of a channel's sensor constants, a caption and an edit each.
// Which rows show, and where, follows the sensor regime of row 2.
class ConstantRows : public QScrollArea {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 21;
    static constexpr int kLabelLeft = 8;
    static constexpr int kLabelWidth = 350;
    static constexpr int kEditLeft = 363;
    static constexpr int kEditWidth = 100;
    static constexpr int kRegimeEditWidth = 300;
    // How far one wheel notch moves the box.
    static constexpr int kWheelStep = 5;

    explicit ConstantRows(QWidget* parent = nullptr);

    QLabel* label(int row) const { return labels_.at(static_cast<std::size_t>(row)); }
    QLineEdit* edit(int row) const { return edits_.at(static_cast<std::size_t>(row)); }

    ConstantRowTexts texts() const;
    void setTexts(const ConstantRowTexts& texts);
    // Shows and places the rows for the regime row 2 now reads.
    void layOutForRegime();
    RowPlaces places() const;

signals:
    // The regime or the liquid row was clicked: its choice window opens.
    void SetRegimeClick();
    void SetLiquidTypeClick();

protected:
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place(const RowPlaces& places);

    QWidget* rows_;
    std::array<QLabel*, kConstantRows> labels_{};
    std::array<QLineEdit*, kConstantRows> edits_{};
};

// The box's vertical position after a wheel turn: 5 per notch, down for a negative delta,
// kept within 0..maximum. A turn of less than a notch still moves one step.
int wheelScrolled(int position, int wheelDelta, int maximum);

}  // namespace veldar
