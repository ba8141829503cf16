#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace platform {

enum class Icon { None, Information, Warning, Error, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

// The boxes a program shows the user. Production shows real Qt dialogs; tests answer from
// a script and keep a record of everything shown.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    Answer message(QWidget* parent, const QString& caption, const QString& text, Icon icon,
                   Buttons buttons = Buttons::Ok) {
        return showMessage(parent, caption, text, icon, buttons);
    }
    // filter in Qt's syntax ("Таблица (*.txt)"); nullopt when the user cancels.
    virtual std::optional<QString> openFile(QWidget* parent, const QString& caption,
                                            const QString& filter, const QString& startPath) = 0;
    virtual std::optional<QString> saveFile(QWidget* parent, const QString& caption,
                                            const QString& filter, const QString& proposedPath) = 0;
    virtual std::optional<QString> browseFolder(QWidget* parent, const QString& caption,
                                                const QString& startDir) = 0;
    // An Open dialog that also takes the name of a file that does not exist yet (its folder
    // must), for a name that serves as input and as output alike. A name typed without a
    // suffix gets defaultSuffix.
    virtual std::optional<QString> openFileOrNew(QWidget* parent, const QString& caption, const QString& filter,
                                                 const QString& startPath, const QString& defaultSuffix) = 0;

protected:
    virtual Answer showMessage(QWidget* parent, const QString& caption, const QString& text,
                               Icon icon, Buttons buttons) = 0;
};

}  // namespace platform
