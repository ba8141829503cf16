#pragma once

#include "user_fields.h"

#include "platform/ui/dialogs.h"

#include <QDialog>

class QFormLayout;
class QLineEdit;
class QPushButton;
class QTableWidget;


namespace veldar {

class UserStore;

// `TfrmEditUser`, "Изменения днанных пользователей": the list of users, and one user's
// record to change or delete.
class TfrmEditUser : public QDialog {
    Q_OBJECT
public:
    TfrmEditUser(UserStore& users, platform::Dialogs& dialogs, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refresh();
    void showRow(int row);
    void btnSaveClick();
    void btnDeleteClick();
    void say(const QString& text, platform::Icon icon);

    UserStore& users_;
    platform::Dialogs& dialogs_;
    QTableWidget* gridUserList;
    QLineEdit* txtID;
    QFormLayout* form_;
    UserFields fields_;
    QPushButton* btnSave;
    QPushButton* btnDelete;
    QPushButton* btnClose;
};

}  // namespace veldar
