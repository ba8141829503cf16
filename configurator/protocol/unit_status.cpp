#include "unit_status.h"

#include "answer_waits.h"
#include "dispatcher.h"
#include "presence.h"
#include "version_record.h"

#include "configurator/app/common_settings_page.h"
#include "configurator/app/eventlog.h"
#include "configurator/app/log_line.h"
#include "configurator/app/unit_page.h"
#include "configurator/app/workspace.h"
#include "configurator/link/sender.h"

#include "platform/timing/timer.h"

namespace veldar {
namespace {

constexpr std::uint8_t kCMD81 = 81;

}  // namespace

UnitStatus::UnitStatus(Sender& sender, Dispatcher& dispatcher, Presence& presence, Workspace& workspace,
                       UnitPage& page, CommonSettingsPage& commonSettings, EventLog& log,
                       platform::Scheduler& scheduler, const WaitSurroundings& surroundings,
                       platform::Timer& focusTree)
    : sender_(sender),
      presence_(presence),
      workspace_(workspace),
      page_(page),
      commonSettings_(commonSettings),
      log_(log),
      focusTree_(focusTree),
      TimerWaitAnsewerCMD81(waits::kCMD81, scheduler, surroundings,
                            {[this] {
                                 if (const auto address = workspace_.currentUnit())
                                     sender_.sendRequest(static_cast<std::uint8_t>(*address), kCMD81);
                             },
                             [this] {
                                 gasPressurePending_ = false;
                                 page_.showVersionUnknown();
                             },
                             {}}) {
    dispatcher.route(kCMD81, [this](const Answer& a) { versionAnswer(a); });
    presence.setUnitStatus({[this] { return statusPending_; }, [this](const Answer& a) { statusAnswer(a); }},
                           [this] { statusUnanswered(); });
}

void UnitStatus::askVersion(int address) {
    // A unit page asks for the version record itself: a tab decision still waiting for a
    // unit that never answered must not take this answer.
    gasPressurePending_ = false;
    sender_.sendRequest(static_cast<std::uint8_t>(address), kCMD81);
    TimerWaitAnsewerCMD81.start();
    workspace_.hold();
}

void UnitStatus::askGasPressureTab(int address) {
    sender_.sendRequest(static_cast<std::uint8_t>(address), kCMD81);
    gasPressurePending_ = true;
}

void UnitStatus::versionAnswer(const Answer& a) {
    const QByteArray data = a.data();
    if (gasPressurePending_) {
        gasPressurePending_ = false;
        commonSettings_.setGasPressureShown(firmwareVersion(data) == kGasPressureVersion);
        return;
    }
    TimerWaitAnsewerCMD81.answered();
    if (const auto shown = versionDisplay(a.address, data)) page_.showVersion(*shown);
    presence_.ask(a.address);
    statusPending_ = true;
}

void UnitStatus::statusAnswer(const Answer& a) {
    statusPending_ = false;
    const QByteArray data = a.data();
    if (!data.isEmpty()) page_.showPolling(static_cast<std::uint8_t>(data[0]));
    workspace_.release();
    focusTree_.start();
}

void UnitStatus::statusUnanswered() {
    statusPending_ = false;
    workspace_.release();
    log_.log(kLogError, QStringLiteral("Нет ответа от TVR на сообщение CMD50."));
}

}  // namespace veldar
