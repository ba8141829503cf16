#pragma once

#include "dialogs.h"

namespace platform {

class QtDialogs : public Dialogs {
public:
    std::optional<QString> openFile(QWidget* parent, const QString& caption, const QString& filter,
                                    const QString& startPath) override;
    std::optional<QString> saveFile(QWidget* parent, const QString& caption, const QString& filter,
                                    const QString& proposedPath) override;
    std::optional<QString> browseFolder(QWidget* parent, const QString& caption,
                                        const QString& startDir) override;
    std::optional<QString> openFileOrNew(QWidget* parent, const QString& caption, const QString& filter,
                                         const QString& startPath, const QString& defaultSuffix) override;

protected:
    Answer showMessage(QWidget* parent, const QString& caption, const QString& text, Icon icon,
                       Buttons buttons) override;
};

}  // namespace platform
