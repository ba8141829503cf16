#pragma once

#include <QColor>
#include <QPlainTextEdit>

namespace veldar {

// The log pane `reLOG`: red error lines, black messages; a line of another kind keeps the
// colour of the line before it.
class LogPane : public QPlainTextEdit {
    Q_OBJECT
public:
    // Lines beyond this many drop off the top of the pane (the file keeps them).
    static constexpr int kMaxLines = 100000;

    explicit LogPane(QWidget* parent = nullptr);

    // Earlier runs' lines, shown without colour.
    void showHistory(const QString& text);
    void appendLine(const QString& line, int kind);

private:
    QColor colour_ = Qt::black;
};

}  // namespace veldar
