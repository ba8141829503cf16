#include "discovery.h"

#include "dispatcher.h"
#include "presence.h"
#include "searchtvrprogress.h"

#include "configurator/app/eventlog.h"
#include "configurator/app/log_line.h"
#include "configurator/app/workspace.h"
#include "configurator/image/whole_unit.h"

#include "platform/ui/dialogs.h"

namespace veldar {
namespace {

const QString kCaption = QStringLiteral("VELDAR");
const QString kFinished = QStringLiteral("Поиск завершен.");
constexpr int kDetectAll = 0;

}  // namespace

Discovery::Discovery(Presence& presence, WholeUnit& wholeUnit, Workspace& workspace, TfrmSearchTVRProgress& progress,
                     EventLog& log, platform::Dialogs& dialogs, QWidget* dialogParent)
    : presence_(presence),
      wholeUnit_(wholeUnit),
      workspace_(workspace),
      progress_(progress),
      log_(log),
      dialogs_(dialogs),
      dialogParent_(dialogParent) {
    presence.setSearch([this](const Answer& a) { answered(a); }, [this] { unanswered(); });
    presence.setDetection({[this] { return detecting_; },
                           [this](const Answer& a) {
                               detecting_ = false;
                               inform(QStringLiteral("Обнаружен TVR с адресом ") + QString::number(a.address));
                           }});
    wholeUnit.setSearch({[this] { return searching_; }, [this](int) { readDone(); },
                         [this] {
                             // The read has told why it gave up; the search stops with it.
                             running_ = false;
                             searching_ = false;
                             progress_.close();
                         }});
    QObject::connect(&progress, &TfrmSearchTVRProgress::cancelRequested, &progress, [this] { cancelSearch(); });
}

bool Discovery::ask(const QString& question, platform::Icon icon) {
    return dialogs_.message(dialogParent_, kCaption, question, icon,
                            platform::Buttons::YesNo) == platform::Answer::Yes;
}

void Discovery::inform(const QString& text) {
    dialogs_.message(dialogParent_, kCaption, text, platform::Icon::Information);
}

void Discovery::startSearch(int first, int last, bool notify) {
    notify_ = notify;
    address_ = first;
    last_ = last;
    running_ = true;
    searching_ = true;
    presence_.ask(address_);
    progress_.start(last - first + 1);
    workspace_.hold();
}

void Discovery::nextOrEnd() {
    if (address_ < last_) {
        ++address_;
        presence_.ask(address_);
        progress_.advance();
        return;
    }
    end();
}

void Discovery::unanswered() {
    if (!searching_) return;
    if (address_ < last_ && running_) {
        nextOrEnd();
        return;
    }
    const bool finished = address_ >= last_ || running_;
    progress_.close();
    workspace_.release();
    running_ = false;
    searching_ = false;
    inform(finished ? kFinished : QStringLiteral("Поиск прерван пользователем."));
}

void Discovery::answered(const Answer& a) {
    if (!searching_) return;
    if (!running_) {
        endCancelled();
        return;
    }
    const bool known = workspace_.unitNode(a.address) != nullptr;
    if (!known) workspace_.addUnitNode(a.address);
    const QString address = QString::number(a.address);
    const QString knownQuestion =
        QStringLiteral("TVR с адресом ") + address + QStringLiteral(" уже присутствует в списке. Прочитать его настройки?");
    bool read = false;
    if (known)
        read = ask(knownQuestion, platform::Icon::Information);
    else
        read = !notify_ || ask(QStringLiteral("Найден TVR с адресом") + address + QStringLiteral(". Прочитать его настройки?"),
                               platform::Icon::Information);
    if (read) {
        wholeUnit_.startRead(a.address, WholeUnit::kSearchReadRange);
        return;
    }
    if (address_ < last_) {
        nextOrEnd();
        return;
    }
    running_ = false;
    searching_ = false;
    workspace_.release();
    log_.log(kLogMessage, QStringLiteral("Завершен поиск устройств TVR."));
    inform(kFinished);
    progress_.close();
}

void Discovery::readDone() {
    if (!running_) {
        endCancelled();
        return;
    }
    if (notify_) {
        inform(QStringLiteral("Настройки считаны и сохранены в файл."));
        if (!ask(QStringLiteral("Продолжить поиск устройств?"), platform::Icon::Question)) {
            running_ = false;
            searching_ = false;
            workspace_.release();
            progress_.close();
            return;
        }
    }
    nextOrEnd();
}

// The last address has been asked and its unit dealt with.
void Discovery::end() {
    running_ = false;
    searching_ = false;
    workspace_.release();
    log_.log(kLogMessage, QStringLiteral("Завершен поиск TVR"));
    inform(kFinished);
    progress_.close();
}

// "Отмена" was pressed while a unit answered or was read: nothing more is asked.
void Discovery::endCancelled() {
    running_ = false;
    searching_ = false;
    progress_.close();
    workspace_.release();
    inform(QStringLiteral("Поиск прерван пользователем."));
}

void Discovery::btnCheckTVRAddressClick() {
    if (!ask(QStringLiteral("На линии связи должен быть подключент только один блок TVR.\n\rПродолжить?"),
             platform::Icon::Question))
        return;
    detecting_ = true;
    presence_.askOnly(kDetectAll);
}

}  // namespace veldar
