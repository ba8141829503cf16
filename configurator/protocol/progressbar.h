#pragma once

#include <QDialog>

class QProgressBar;

namespace veldar {

// `TfrmProgressBar`: a caption and one progress bar; whoever shows it sets both.
class TfrmProgressBar : public QDialog {
    Q_OBJECT
public:
    explicit TfrmProgressBar(QWidget* parent);

private:
    QProgressBar* bar_;
};

}  // namespace veldar
