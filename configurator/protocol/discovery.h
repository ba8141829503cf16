#pragma once

#include <QString>

class QWidget;

namespace platform {
class Dialogs;
enum class Icon;
}  // namespace platform

namespace veldar {

struct Answer;
class EventLog;
class Presence;
class TfrmSearchTVRProgress;
class WholeUnit;
class Workspace;

// Finding units on the line: the search asks a range of addresses one after the other
// (CMD50) and reads the settings of the units that answer; the detection asks address 0,
// which the one unit on the line answers from its own address.
class Discovery {
public:
    Discovery(Presence& presence, WholeUnit& wholeUnit, Workspace& workspace, TfrmSearchTVRProgress& progress,
              EventLog& log, platform::Dialogs& dialogs, QWidget* dialogParent);

    // "Начать поиск" of `TfrmSearchTVRSettings`.
    void startSearch(int first, int last, bool notify);
    // "Отмена" of the progress window: the search ends at its next step.
    void cancelSearch() { running_ = false; }

    // `btnCheckTVRAddress`.
    void btnCheckTVRAddressClick();

private:
    void probe(int address);
    void nextOrEnd();
    void unanswered();
    void answered(const Answer& a);
    void readDone();
    void end();
    void endCancelled();
    bool ask(const QString& question, platform::Icon icon);
    void inform(const QString& text);

    Presence& presence_;
    WholeUnit& wholeUnit_;
    Workspace& workspace_;
    TfrmSearchTVRProgress& progress_;
    EventLog& log_;
    platform::Dialogs& dialogs_;
    QWidget* dialogParent_;
    int address_ = 0;
    int last_ = 0;
    bool notify_ = false;
    // Whether the operator lets the search go on ("Отмена" clears it), and whether a search
    // is under way at all (until its progress window closes).
    bool running_ = false;
    bool searching_ = false;
    bool detecting_ = false;
};

}  // namespace veldar
