#include "log_pane.h"

#include "log_line.h"

#include <QScrollBar>

namespace veldar {

LogPane::LogPane(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("reLOG"));
    setReadOnly(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setMaximumBlockCount(kMaxLines);
}

void LogPane::showHistory(const QString& text) { setPlainText(text); }

void LogPane::appendLine(const QString& line, int kind) {
    if (kind == kLogError) colour_ = Qt::red;
    if (kind == kLogMessage) colour_ = Qt::black;
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    if (!document()->isEmpty()) cursor.insertBlock();
    QTextCharFormat format;
    format.setForeground(colour_);
    cursor.insertText(line, format);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

}  // namespace veldar
