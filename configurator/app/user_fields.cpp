#include "user_fields.h"

#include "cp1251_validator.h"

#include <QFormLayout>
#include <QLineEdit>

namespace veldar {
namespace {

QLineEdit* addEdit(QFormLayout* form, const char* name, const QString& label) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    edit->setValidator(new Cp1251Validator(edit));
    form->addRow(label, edit);
    return edit;
}

}  // namespace

UserFields::UserFields(QFormLayout* form)
    : txtSurName(addEdit(form, "txtSurName", QStringLiteral("Фамилия"))),
      txtName(addEdit(form, "txtName", QStringLiteral("Имя"))),
      txtDadName(addEdit(form, "txtDadName", QStringLiteral("Отчество"))),
      txtPosition(addEdit(form, "txtPosition", QStringLiteral("Должность"))),
      txtLogin(addEdit(form, "txtLogin", QStringLiteral("Логин"))),
      txtPassword(addEdit(form, "txtPassword", QStringLiteral("Пароль"))) {}

UserRecord UserFields::record() const {
    return UserRecord{txtSurName->text(), txtName->text(),  txtDadName->text(),
                      txtPosition->text(), txtLogin->text(), txtPassword->text()};
}

void UserFields::show(const UserRecord& user) {
    txtSurName->setText(user.surName);
    txtName->setText(user.name);
    txtDadName->setText(user.dadName);
    txtPosition->setText(user.position);
    txtLogin->setText(user.login);
    txtPassword->setText(user.password);
}

void UserFields::clear() { show(UserRecord{}); }

}  // namespace veldar
