#include "unit_roster.h"

#include "configurator/app/eventlog.h"
#include "configurator/app/log_line.h"
#include "configurator/app/navigation.h"
#include "configurator/app/workspace.h"
#include "configurator/image/readwritesettingsfile.h"

#include "platform/ui/dialogs.h"

#include <QTreeWidget>

namespace veldar {
namespace {

const QString kCaption = QStringLiteral("VELDAR");

}  // namespace

QString addressRefusal(const QString& typed) {
    switch (typedAddress(typed).check) {
        case AddressInput::Ok:
            return {};
        case AddressInput::Empty:
            return QStringLiteral("Введите адрес TVR");
        case AddressInput::OutOfRange:
            break;
    }
    return QStringLiteral("Адрес TVR должен быть числом от 1 до 255");
}

UnitRoster::UnitRoster(Workspace& workspace, Readwritesettingsfile& files, EventLog& log, platform::Dialogs& dialogs,
                       QWidget* dialogParent)
    : workspace_(workspace), files_(files), log_(log), dialogs_(dialogs), dialogParent_(dialogParent) {}

bool UnitRoster::add(const QString& typed) {
    if (const QString refusal = addressRefusal(typed); !refusal.isEmpty()) {
        dialogs_.message(dialogParent_, kCaption, refusal, platform::Icon::Information);
        return false;
    }
    const int address = typedAddress(typed).address;
    if (workspace_.unitNode(address)) {
        log_.log(kLogError, QStringLiteral("Невозможно создать TVR с адресом ") + QString::number(address) +
                                QStringLiteral(". TVR с таким адресом уже существует!"));
        dialogs_.message(dialogParent_, kCaption, QStringLiteral("TVR с таким адресом уже существует!"),
                         platform::Icon::Error);
        return false;
    }
    // A file that is there already is the operator's copy of that unit: it is kept.
    if (!files_.exists(address) && !files_.CreateDefaultSettings(address)) {
        log_.log(kLogError,
                 QStringLiteral("Команда 'Добавить TVR' не выполнена. Ошибка при создании файла с настройками!"));
        dialogs_.message(dialogParent_, kCaption, QStringLiteral("Ошибка при создании файла с настройками!"),
                         platform::Icon::Error);
        return false;
    }
    workspace_.addUnitNode(address);
    return true;
}

void UnitRoster::removeChosen() {
    if (dialogs_.message(dialogParent_, kCaption, QStringLiteral("Вы действительно хотите удалить TVR из системы?"),
                         platform::Icon::Information, platform::Buttons::YesNo) != platform::Answer::Yes)
        return;
    QTreeWidgetItem* node = workspace_.tree()->currentItem();
    const auto address = workspace_.currentUnit();
    if (!node || !address || !unitOfCaption(node->text(0))) return;
    // A file that could not be moved would bring the unit back at the next start: the
    // node stays with it (the operator has been told why).
    if (!files_.BackupSettingsFile(*address) && files_.exists(*address)) return;
    workspace_.removeNode(node);
    workspace_.chooseNode(workspace_.veldarNode());
}

}  // namespace veldar
