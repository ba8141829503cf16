#pragma once

#include "answer_wait.h"

#include "platform/timing/timer.h"

#include <QByteArray>
#include <QString>

class QWidget;

namespace platform {
class Dialogs;
class Scheduler;
}  // namespace platform

namespace veldar {

struct Answer;
class Dispatcher;
class EventLog;
class Presence;
class Readwritesettingsfile;
class Sender;
class Workspace;

// A new address for the current unit, in stages: nobody may answer at the new address
// (CMD50, 1.5 s), the unit's settings image is copied into memory and its file moved to the
// backups, the unit is told its new address (CMD82) and answers from it, and the image is
// stored under the new address while the node takes the new name. A unit that does not
// answer CMD82 keeps its old name and its image goes back under the old address.
class AddressChange {
public:
    static constexpr int kCheckMs = 1500;

    struct Parts {
        Sender& sender;
        Dispatcher& dispatcher;
        Presence& presence;
        Workspace& workspace;
        Readwritesettingsfile& files;
        QByteArray& imageBuffer;
        EventLog& log;
        platform::Dialogs& dialogs;
        platform::Scheduler& scheduler;
        const WaitSurroundings& surroundings;
        QWidget* dialogParent;
    };

    explicit AddressChange(const Parts& parts);

    // "Записать" of `TChangeAdrBOForm` with the typed address; true when the change has
    // begun (the dialog closes), false when it was refused (the dialog stays).
    bool btnWriteBOAdrClick(const QString& typed);

private:
    void newAddressAnswered(const Answer& a);
    void TimerCheckTVRExistOnChangeTimer();
    void addressAnswer(const Answer& a);
    void unanswered();
    void fail(const QString& logText, const QString& boxText);

    Parts parts_;
    platform::Timer TimerCheckTVRExistOnChange;
    AnswerWait TimerWaitAnsewerCMD82;
    int oldAddress_ = 0;
    int newAddress_ = 0;
    bool checking_ = false;
    bool changing_ = false;
};

}  // namespace veldar
