#pragma once

#include <QDialog>

class QProgressBar;
class QPushButton;

namespace veldar {

// `TfrmSearchTVRProgress`, the progress of a search on the line.
class TfrmSearchTVRProgress : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSearchTVRProgress(QWidget* parent);

private:
    QProgressBar* bar_;
    QPushButton* btnCancelSearch;
};

}  // namespace veldar
