#pragma once

#include <QString>

class QWidget;

namespace platform {
class Dialogs;
}

namespace veldar {

class EventLog;
class Readwritesettingsfile;
class Workspace;

// The units the operator adds and removes by hand: a unit is known while it has a node in
// the tree, and stays known across runs while it has a settings image file.
class UnitRoster {
public:
    UnitRoster(Workspace& workspace, Readwritesettingsfile& files, EventLog& log, platform::Dialogs& dialogs,
               QWidget* dialogParent);

    // "Добавить" of `TfrmAddTVR` with the typed address; true when the unit was added.
    bool add(const QString& typed);
    // `pumDeleteTVR`: after the operator confirms, the chosen unit's file goes to the
    // backups and its node leaves the tree.
    void removeChosen();

private:
    Workspace& workspace_;
    Readwritesettingsfile& files_;
    EventLog& log_;
    platform::Dialogs& dialogs_;
    QWidget* dialogParent_;
};

// What an address the operator typed (a new unit, a new address) is refused with, if it is.
// Empty when the address is usable.
QString addressRefusal(const QString& typed);

}  // namespace veldar
