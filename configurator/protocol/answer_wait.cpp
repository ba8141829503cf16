#include "answer_wait.h"

#include "configurator/app/eventlog.h"
#include "configurator/app/log_line.h"

#include "platform/ui/dialogs.h"

namespace veldar {

AnswerWait::AnswerWait(const AnswerWaitRule& rule, platform::Scheduler& scheduler,
                       const WaitSurroundings& surroundings, Owner owner)
    : rule_(rule),
      surroundings_(surroundings),
      owner_(std::move(owner)),
      timer_(scheduler, rule.intervalMs, [this] { expired(); }) {}

void AnswerWait::answered() {
    timer_.stop();
    counter_ = 0;
}

void AnswerWait::expired() {
    ++counter_;
    if (counter_ > rule_.resends) {
        giveUp();
        return;
    }
    if (owner_.mayResend && !owner_.mayResend()) {
        timer_.stop();
        return;
    }
    if (rule_.restartsOnResend) timer_.stop();
    if (!rule_.resendLog.isEmpty()) surroundings_.log.log(kLogError, filled(rule_.resendLog));
    if (owner_.resend) owner_.resend();
    if (rule_.restartsOnResend) timer_.start();
}

void AnswerWait::giveUp() {
    // Stopped first: a tick during the message box would resend behind the user's back.
    timer_.stop();
    counter_ = 0;
    if (rule_.releasesWindow && surroundings_.releaseWindow) surroundings_.releaseWindow();
    if (!rule_.giveUpLog.isEmpty()) surroundings_.log.log(kLogError, filled(rule_.giveUpLog));
    if (!rule_.giveUpMessage.isEmpty())
        surroundings_.dialogs.message(surroundings_.dialogParent, QStringLiteral("VELDAR"),
                                      filled(rule_.giveUpMessage), platform::Icon::Error);
    if (owner_.giveUp) owner_.giveUp();
}

QString AnswerWait::filled(const QString& text) const {
    const std::optional<int> address = surroundings_.currentAddress ? surroundings_.currentAddress() : std::nullopt;
    return QString(text)
        .replace(QStringLiteral("{address}"), address ? QString::number(*address) : QString())
        .replace(QStringLiteral("{seconds}"), QString::number(timer_.interval() / 1000));
}

}  // namespace veldar
