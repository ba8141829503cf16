#pragma once

#include <QScrollArea>

#include <array>

class QLabel;
class QLineEdit;

namespace veldar {

// `ScrollBox1`: the 25 rows of a channel's sensor constants, a caption and an edit each,
// at fixed places.
class ConstantRows : public QScrollArea {
    Q_OBJECT
public:
    static constexpr int kRows = 25;
    static constexpr int kRegimeRow = 2;
    static constexpr int kFirstTop = 13;
    static constexpr int kRowStep = 24;
    static constexpr int kRowHeight = 21;
    static constexpr int kLabelLeft = 8;
    static constexpr int kLabelWidth = 350;
    static constexpr int kEditLeft = 363;
    static constexpr int kEditWidth = 100;
    static constexpr int kRegimeEditWidth = 300;
    // How far one wheel notch moves the box.
    static constexpr int kWheelStep = 5;

    static constexpr int rowTop(int row) { return kFirstTop + kRowStep * row; }

    explicit ConstantRows(QWidget* parent = nullptr);

    QLabel* label(int row) const { return labels_.at(static_cast<std::size_t>(row)); }
    QLineEdit* edit(int row) const { return edits_.at(static_cast<std::size_t>(row)); }

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    std::array<QLabel*, kRows> labels_{};
    std::array<QLineEdit*, kRows> edits_{};
};

// The box's vertical position after a wheel turn: 5 per notch, down for a negative delta,
// kept within 0..maximum. A turn of less than a notch still moves one step.
int wheelScrolled(int position, int wheelDelta, int maximum);

}  // namespace veldar
