#pragma once

#include <QDialog>

namespace veldar {

// `TAboutBox`, "О программе".
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent);
};

}  // namespace veldar
