#pragma once

#include "users.h"

class QFormLayout;
class QLineEdit;

namespace veldar {

// The six edits of a user record, as both user dialogs show them.
struct UserFields {
    QLineEdit* txtSurName;
    QLineEdit* txtName;
    QLineEdit* txtDadName;
    QLineEdit* txtPosition;
    QLineEdit* txtLogin;
    QLineEdit* txtPassword;

    // Creates the edits with their labels in the form.
    explicit UserFields(QFormLayout* form);

    UserRecord record() const;
    void show(const UserRecord& user);
    void clear();
};

}  // namespace veldar
