#pragma once

#include "configurator/protocol/answer_wait.h"

#include "platform/timing/timer.h"

#include <QByteArray>

#include <functional>

class QWidget;

namespace platform {
class Dialogs;
class Scheduler;
}  // namespace platform

namespace veldar {

struct Answer;
class Dispatcher;
class EventLog;
class ReceivePath;
class Readwritesettingsfile;
class Sender;
class SignatureAnswers;
class TfrmProgressBar;
class Workspace;

// A unit's whole settings image at once, one 128-byte image page per message: read into
// the settings image file (CMD87), written from it (CMD86), and compared by signature
// (CMD88). They fill the main window's image buffer.
class WholeUnit {
public:
    static constexpr int kSendNextMs = 50;
    static constexpr int kReadRange = 233;
    static constexpr int kSearchReadRange = 124;

    struct Parts {
        Sender& sender;
        Dispatcher& dispatcher;
        ReceivePath& receivePath;
        Workspace& workspace;
        Readwritesettingsfile& files;
        SignatureAnswers& signatures;
        QByteArray& imageBuffer;
        TfrmProgressBar& progress;
        EventLog& log;
        platform::Dialogs& dialogs;
        platform::Scheduler& scheduler;
        const WaitSurroundings& surroundings;
        QWidget* dialogParent;
    };
    // What the search does when a read it started ends: true when it takes over from there.
    struct Search {
        std::function<bool()> running;
        std::function<void(int address)> readDone;
        std::function<void()> readAbandoned;
    };

    explicit WholeUnit(const Parts& parts);

    void setSearch(Search search) { search_ = std::move(search); }

    // The three buttons of the unit page, for the unit in the workspace title.
    void btnReadAllSettingsTVRClick();
    void btnWriteAllSettingsTVRClick();
    void btnSignaturesAllSettingsTVRClick();

    // The read without its question, with this progress range (the search reads this way).
    void startRead(int address, int range);


private:
    void readAnswer(const Answer& a);
    void writeAnswer(const Answer& a);
    void signatureAnswer(const Answer& a);
    void sendReadPage(int address);
    void sendWritePage(int address);
    void TimerSendNextCMD86Timer();
    bool ask(const QString& question);
    void inform(const QString& text);
    void fail(const QString& logText, const QString& boxText);

    Parts parts_;
    Search search_;
    // Resends go to the unit being read or written, and their lines name it: the title does
    // not show it while the search reads, nor after the write has released the window.
    WaitSurroundings readSurroundings_;
    WaitSurroundings writeSurroundings_;
    AnswerWait TimerWaitAnsewerCMD87;
    AnswerWait TimerWaitAnsewerCMD86;
    AnswerWait TimerWaitAnsewerCMD88;
    platform::Timer TimerSendNextCMD86;
    // The read and the write keep apart: the write goes on after it has released the window,
    // and the image it sends is its own, whatever else fills the shared buffer meanwhile.
    int readPage_ = 0;
    int writePage_ = 0;
    QByteArray writeImage_;
    int readAddress_ = 0;
    int writeAddress_ = 0;
    bool reading_ = false;
    bool writing_ = false;
};

}  // namespace veldar
