#pragma once

#include "dialogs.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

namespace platform {

// Dialogs for tests. A box with only "OK" is acknowledged and recorded; a question needs an
// answer scripted beforehand, matched by its text. File and folder dialogs take the next
// scripted path (nullopt = the user cancels). Anything unscripted is reported through the
// failure handler (the test harness makes it a test failure) and answered as a cancel.
class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        QString caption;
        QString text;
        Icon icon;
        Buttons buttons;
        Answer answer;
    };

    explicit ScriptedDialogs(std::function<void(const QString&)> onUnexpected = {});

    // The next question whose text contains `text` gets `answer`. Order matters: questions
    // are matched against the front of the script.
    void answer(const QString& text, Answer answer);
    // The path the next open, save or folder dialog returns.
    void chooseFile(const std::optional<QString>& path) {
        files_.push_back(ScriptedFile{!path, path.value_or(QString())});
    }
    // Makes OK-only boxes need a script entry too.
    void setStrict(bool strict) { strict_ = strict; }
    // Called after each box is recorded, before it "closes" (lets a test act while a box
    // would be on screen, such as advancing time).
    void setOnShown(std::function<void(const Shown&)> cb) { onShown_ = std::move(cb); }

    const std::vector<Shown>& shown() const { return shown_; }
    QStringList texts() const;
    // Whether a box with exactly this text was shown.
    bool wasShown(const QString& text) const;
    void clear() { shown_.clear(); }
    std::size_t unansweredScript() const { return script_.size() + files_.size(); }

    std::optional<QString> openFile(QWidget* parent, const QString& caption, const QString& filter,
                                    const QString& startPath) override;
    std::optional<QString> saveFile(QWidget* parent, const QString& caption, const QString& filter,
                                    const QString& proposedPath) override;
    std::optional<QString> browseFolder(QWidget* parent, const QString& caption,
                                        const QString& startDir) override;
    std::optional<QString> openFileOrNew(QWidget* parent, const QString& caption, const QString& filter,
                                         const QString& startPath, const QString& defaultSuffix) override;

    struct FileRequest {
        QString kind;
        QString caption;
        QString filter;
        QString start;
        QString defaultSuffix;
    };
    const std::vector<FileRequest>& fileRequests() const { return fileRequests_; }

protected:
    Answer showMessage(QWidget* parent, const QString& caption, const QString& text, Icon icon,
                       Buttons buttons) override;

private:
    std::optional<QString> nextFile(const char* kind, const QString& caption, const QString& filter,
                                    const QString& start);

    std::function<void(const QString&)> onUnexpected_;
    std::function<void(const Shown&)> onShown_;
    std::deque<std::pair<QString, Answer>> script_;
    struct ScriptedFile {
        bool cancel;
        QString path;
    };
    std::deque<ScriptedFile> files_;
    std::vector<Shown> shown_;
    std::vector<FileRequest> fileRequests_;
    bool strict_ = false;
};

}  // namespace platform
