#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace platform {
class Dialogs;
}

namespace veldar {

class WorkingFolders;

// `TfrmPathSettings`, "Пути к файлам": the settings folder and the data folder.
class TfrmPathSettings : public QDialog {
    Q_OBJECT
public:
    TfrmPathSettings(WorkingFolders& folders, platform::Dialogs& dialogs, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void browse(QLineEdit* edit);
    void btnOKClick();

    WorkingFolders& folders_;
    platform::Dialogs& dialogs_;
    QLineEdit* txtSettingsPath;
    QLineEdit* txtArchivePath;
    QPushButton* btnShowFolderTreeSettings;
    QPushButton* btnShowFolderTreeArchive;
    QPushButton* btnOK;
    QPushButton* btnCancel;
};

}  // namespace veldar
