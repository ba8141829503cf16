#pragma once

#include <QDialog>

namespace burnet {

// The about box: the icon, the program name and version, and "确定".
class CAboutDlg : public QDialog {
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace burnet
