#include "scripted_dialogs.h"

namespace platform {

ScriptedDialogs::ScriptedDialogs(std::function<void(const QString&)> onUnexpected)
    : onUnexpected_(std::move(onUnexpected)) {}

void ScriptedDialogs::answer(const QString& text, Answer a) { script_.emplace_back(text, a); }

QStringList ScriptedDialogs::texts() const {
    QStringList out;
    for (const Shown& s : shown_) out.append(s.text);
    return out;
}

bool ScriptedDialogs::wasShown(const QString& text) const {
    for (const Shown& s : shown_)
        if (s.text == text) return true;
    return false;
}

Answer ScriptedDialogs::showMessage(QWidget*, const QString& caption, const QString& text, Icon icon,
                                Buttons buttons) {
    Answer a = buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    const bool needsScript = strict_ || buttons != Buttons::Ok;
    if (!script_.empty() && text.contains(script_.front().first)) {
        a = script_.front().second;
        script_.pop_front();
    } else if (needsScript) {
        if (onUnexpected_)
            onUnexpected_(QStringLiteral("unexpected message box \"%1\": %2").arg(caption, text));
    }
    shown_.push_back(Shown{caption, text, icon, buttons, a});
    if (onShown_) onShown_(shown_.back());
    return a;
}

std::optional<QString> ScriptedDialogs::nextFile(const char* kind, const QString& caption,
                                                 const QString& filter, const QString& start) {
    fileRequests_.push_back(FileRequest{QString::fromLatin1(kind), caption, filter, start, {}});
    if (files_.empty()) {
        if (onUnexpected_)
            onUnexpected_(QStringLiteral("unexpected %1 dialog \"%2\"").arg(QString::fromLatin1(kind), caption));
        return std::nullopt;
    }
    const ScriptedFile next = files_.front();
    files_.pop_front();
    if (next.cancel) return std::nullopt;
    return next.path;
}

std::optional<QString> ScriptedDialogs::openFile(QWidget*, const QString& caption,
                                                 const QString& filter, const QString& start) {
    return nextFile("open", caption, filter, start);
}

std::optional<QString> ScriptedDialogs::saveFile(QWidget*, const QString& caption,
                                                 const QString& filter, const QString& proposed) {
    return nextFile("save", caption, filter, proposed);
}

std::optional<QString> ScriptedDialogs::openFileOrNew(QWidget*, const QString& caption,
                                                      const QString& filter, const QString& start,
                                                      const QString& defaultSuffix) {
    const auto path = nextFile("open-or-new", caption, filter, start);
    fileRequests_.back().defaultSuffix = defaultSuffix;
    return path;
}

std::optional<QString> ScriptedDialogs::browseFolder(QWidget*, const QString& caption,
                                                     const QString& start) {
    return nextFile("folder", caption, QString(), start);
}

}  // namespace platform
