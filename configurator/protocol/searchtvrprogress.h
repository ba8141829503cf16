#pragma once

#include <QDialog>

class QProgressBar;
class QPushButton;

namespace veldar {

// `TfrmSearchTVRProgress`, the progress of a search on the line. "Отмена" only asks the
// search to stop; the search ends at its next step.
class TfrmSearchTVRProgress : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSearchTVRProgress(QWidget* parent);

    void start(int range);
    void advance();
    int position() const;
    int range() const;

signals:
    void cancelRequested();

private:
    QProgressBar* bar_;
    QPushButton* btnCancelSearch;
};

}  // namespace veldar
