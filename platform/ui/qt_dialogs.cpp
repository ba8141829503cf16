#include "qt_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace platform {

Answer QtDialogs::showMessage(QWidget* parent, const QString& caption, const QString& text, Icon icon,
                          Buttons buttons) {
    QMessageBox box(parent);
    box.setWindowTitle(caption);
    box.setText(text);
    switch (icon) {
        case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
        case Icon::Information: box.setIcon(QMessageBox::Information); break;
        case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
        case Icon::Error: box.setIcon(QMessageBox::Critical); break;
        case Icon::Question: box.setIcon(QMessageBox::Question); break;
    }
    switch (buttons) {
        case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case Buttons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case Buttons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        case QMessageBox::Ok: return Answer::Ok;
        default: return Answer::Cancel;
    }
}

std::optional<QString> QtDialogs::openFile(QWidget* parent, const QString& caption,
                                           const QString& filter, const QString& startPath) {
    const QString path = QFileDialog::getOpenFileName(parent, caption, startPath, filter);
    if (path.isEmpty()) return std::nullopt;
    return path;
}

std::optional<QString> QtDialogs::saveFile(QWidget* parent, const QString& caption,
                                           const QString& filter, const QString& proposedPath) {
    const QString path = QFileDialog::getSaveFileName(parent, caption, proposedPath, filter);
    if (path.isEmpty()) return std::nullopt;
    return path;
}

std::optional<QString> QtDialogs::openFileOrNew(QWidget* parent, const QString& caption,
                                                const QString& filter, const QString& startPath,
                                                const QString& defaultSuffix) {
    QFileDialog dialog(parent, caption, startPath, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setLabelText(QFileDialog::Accept, QFileDialog::tr("&Open"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString path = dialog.selectedFiles().first();
    if (path.isEmpty()) return std::nullopt;
    return path;
}

std::optional<QString> QtDialogs::browseFolder(QWidget* parent, const QString& caption,
                                               const QString& startDir) {
    const QString dir = QFileDialog::getExistingDirectory(parent, caption, startDir);
    if (dir.isEmpty()) return std::nullopt;
    return dir;
}

}  // namespace platform
