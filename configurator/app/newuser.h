#pragma once

#include "user_fields.h"

#include <QDialog>

class QFormLayout;
class QPushButton;

namespace platform {
class Dialogs;
}

namespace veldar {

class UserStore;

// `TfrmUsersCreate`, "Новый пользователь".
class TfrmUsersCreate : public QDialog {
    Q_OBJECT
public:
    TfrmUsersCreate(UserStore& users, platform::Dialogs& dialogs, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void btnCreateClick();
    void say(const QString& text);

    UserStore& users_;
    platform::Dialogs& dialogs_;
    QFormLayout* form_;
    UserFields fields_;
    QPushButton* btnCreate;
    QPushButton* btnClose;
};

}  // namespace veldar
