#pragma once

#include <QDialog>

class QProgressBar;

namespace veldar {

// `TfrmProgressBar`: a caption and one progress bar, shown while a unit's whole settings
// image moves page by page.
class TfrmProgressBar : public QDialog {
    Q_OBJECT
public:
    explicit TfrmProgressBar(QWidget* parent);

    // Shows the window with this caption, the range and position 0.
    void start(const QString& caption, int range);
    void advance();
    int position() const;
    int range() const;

private:
    QProgressBar* bar_;
};

}  // namespace veldar
