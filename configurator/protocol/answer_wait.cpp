#include "answer_wait.h"

#include "configurator/app/eventlog.h"
#include "configurator/app/log_line.h"

#include "platform/ui/dialogs.h"

namespace veldar {

AnswerWait::AnswerWait(const AnswerWaitSpec& spec, platform::Scheduler& scheduler,
                       const WaitSurroundings& surroundings, Owner owner)
    : spec_(spec),
      surroundings_(surroundings),
      owner_(std::move(owner)),
      timer_(scheduler, spec.intervalMs, [this] { expired(); }) {}

void AnswerWait::answered() {
    timer_.stop();
    counter_ = 0;
}

void AnswerWait::expired() {
    ++counter_;
    if (counter_ > spec_.resends) {
        giveUp();
        return;
    }
    if (owner_.mayResend && !owner_.mayResend()) {
        timer_.stop();
        return;
    }
    if (spec_.restartsOnResend) timer_.stop();
    if (!spec_.resendLog.isEmpty()) surroundings_.log.log(kLogError, filled(spec_.resendLog));
    if (owner_.resend) owner_.resend();
    if (spec_.restartsOnResend) timer_.start();
}

void AnswerWait::giveUp() {
    // Stopped first: a tick during the message box would resend behind the user's back.
    timer_.stop();
    counter_ = 0;
    if (spec_.releasesWindow && surroundings_.releaseWindow) surroundings_.releaseWindow();
    if (!spec_.giveUpLog.isEmpty()) surroundings_.log.log(kLogError, filled(spec_.giveUpLog));
    if (!spec_.giveUpMessage.isEmpty())
        surroundings_.dialogs.message(surroundings_.dialogParent, QStringLiteral("VELDAR"),
                                      filled(spec_.giveUpMessage), platform::Icon::Error);
    if (owner_.giveUp) owner_.giveUp();
}

QString AnswerWait::filled(const QString& text) const {
    const std::optional<int> address = surroundings_.currentAddress ? surroundings_.currentAddress() : std::nullopt;
    return QString(text)
        .replace(QStringLiteral("{address}"), address ? QString::number(*address) : QString())
        .replace(QStringLiteral("{seconds}"), QString::number(timer_.interval() / 1000));
}

}  // namespace veldar
