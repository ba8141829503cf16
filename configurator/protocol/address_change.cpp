#include "address_change.h"

#include "answer_waits.h"
#include "dispatcher.h"
#include "presence.h"
#include "unit_roster.h"

#include "configurator/app/eventlog.h"
#include "configurator/app/log_line.h"
#include "configurator/app/navigation.h"
#include "configurator/app/workspace.h"
#include "configurator/image/image_layout.h"
#include "configurator/image/readwritesettingsfile.h"
#include "configurator/link/sender.h"

#include "platform/ui/dialogs.h"

#include <QTreeWidgetItem>

namespace veldar {
namespace {

constexpr std::uint8_t kCMD82 = 82;
const QString kCaption = QStringLiteral("VELDAR");

}  // namespace

AddressChange::AddressChange(const Parts& parts)
    : parts_(parts),
      TimerCheckTVRExistOnChange(parts.scheduler, kCheckMs, [this] { TimerCheckTVRExistOnChangeTimer(); }),
      TimerWaitAnsewerCMD82(waits::kCMD82, parts.scheduler, parts.surroundings, {{}, [this] { unanswered(); }, {}}) {
    parts.presence.setAddressCheck({[this] { return checking_; }, [this](const Answer& a) { newAddressAnswered(a); }});
    parts.dispatcher.route(kCMD82, [this](const Answer& a) { addressAnswer(a); });
}

void AddressChange::fail(const QString& logText, const QString& boxText) {
    parts_.log.log(kLogError, logText);
    parts_.dialogs.message(parts_.dialogParent, kCaption, boxText, platform::Icon::Error);
}

bool AddressChange::btnWriteBOAdrClick(const QString& typed) {
    if (const QString refusal = addressRefusal(typed); !refusal.isEmpty()) {
        parts_.dialogs.message(parts_.dialogParent, kCaption, refusal, platform::Icon::Information);
        return false;
    }
    const int address = typedAddress(typed).address;
    if (parts_.workspace.unitNode(address)) {
        fail(QStringLiteral("Не прошла смена адреса TVR. Выбранный адрес TVR совпал с уже имеющимся в списке!"),
             QStringLiteral("TVR с таким адресом уже существует!"));
        return false;
    }
    const auto current = parts_.workspace.currentUnit();
    if (!current) {
        parts_.dialogs.message(parts_.dialogParent, kCaption, QStringLiteral("Выберите TVR, адрес которого нужно сменить"),
                               platform::Icon::Information);
        return false;
    }
    // The window stays held from here to the end, so the title keeps naming this unit.
    oldAddress_ = *current;
    newAddress_ = address;
    checking_ = true;
    parts_.presence.askOnly(newAddress_);
    TimerCheckTVRExistOnChange.start();
    parts_.workspace.hold();
    return true;
}

void AddressChange::newAddressAnswered(const Answer& a) {
    checking_ = false;
    TimerCheckTVRExistOnChange.stop();
    parts_.workspace.release();
    fail(QStringLiteral("Смена адреса не возможна!  TVR с адресом ") + QString::number(a.address) +
             QStringLiteral(" уже присутствует на линии связи!"),
         QStringLiteral("Смена адреса не возможна!  TVR с адресом ") + QString::number(a.address) +
             QStringLiteral(" уже присутствует на линии связи!"));
}

void AddressChange::TimerCheckTVRExistOnChangeTimer() {
    TimerCheckTVRExistOnChange.stop();
    checking_ = false;
    const QString old = QString::number(oldAddress_);
    QByteArray image;
    // A file that stays where it is would bring the old address back at the next start.
    if (!parts_.files.ReadSettingsBlock(oldAddress_, 0, image, image::kSize) ||
        (!parts_.files.BackupSettingsFile(oldAddress_) && parts_.files.exists(oldAddress_))) {
        parts_.workspace.release();
        fail(QStringLiteral("Смена адреса TVR (") + old + QStringLiteral(") не возможна. Не удается сделать копию файла настроек."),
             QStringLiteral("Смена адреса не возможна. Не удается сделать копию файла настроек."));
        return;
    }
    parts_.imageBuffer = image;
    changing_ = true;
    parts_.sender.sendRequest(static_cast<std::uint8_t>(oldAddress_), kCMD82, static_cast<std::uint8_t>(newAddress_));
    TimerWaitAnsewerCMD82.start();
}

// The unit answers from its new address.
void AddressChange::addressAnswer(const Answer& a) {
    if (!changing_ || a.address != newAddress_) return;
    changing_ = false;
    TimerWaitAnsewerCMD82.answered();
    parts_.files.WriteSettingsBlock(newAddress_, 0, parts_.imageBuffer);
    QTreeWidgetItem* node = parts_.workspace.unitNode(oldAddress_);
    if (node) node->setText(0, unitCaption(newAddress_));
    parts_.log.log(kLogMessage, QStringLiteral("Адрес TVR изменен на с ") + QString::number(oldAddress_) +
                                    QStringLiteral(" на ") + QString::number(newAddress_));
    parts_.dialogs.message(parts_.dialogParent, kCaption, QStringLiteral("Адрес TVR изменен на ") + QString::number(newAddress_),
                           platform::Icon::Information);
    parts_.workspace.release();
    if (node) parts_.workspace.chooseNode(node);
}

// The old file is in the backups and the image only in memory: it goes back under the old
// address, which the unit (as far as anyone knows) still has.
void AddressChange::unanswered() {
    changing_ = false;
    const QString old = QString::number(oldAddress_);
    parts_.files.WriteSettingsBlock(oldAddress_, 0, parts_.imageBuffer);
    parts_.workspace.release();
    fail(QStringLiteral("Нет ответа от TVR (") + old + QStringLiteral(")на сообщение CMD82. Смена адреса отменена."),
         QStringLiteral("TVR не ответил на сообщение CMD82. Адрес TVR не изменен, настройки сохранены под прежним "
                        "адресом. Проверьте адрес блока (Определение адреса TVR)."));
}

}  // namespace veldar
