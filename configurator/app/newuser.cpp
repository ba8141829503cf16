#include "newuser.h"

#include "user_rules.h"

#include "platform/ui/dialogs.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace veldar {

TfrmUsersCreate::TfrmUsersCreate(UserStore& users, platform::Dialogs& dialogs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint),
      users_(users),
      dialogs_(dialogs),
      form_(new QFormLayout),
      fields_(form_),
      btnCreate(new QPushButton(QStringLiteral("Создать"))),
      btnClose(new QPushButton(QStringLiteral("Закрыть"))) {
    setObjectName(QStringLiteral("TfrmUsersCreate"));
    setWindowTitle(QStringLiteral("Новый пользователь"));
    btnCreate->setObjectName(QStringLiteral("btnCreate"));
    btnClose->setObjectName(QStringLiteral("btnClose"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnCreate);
    buttons->addWidget(btnClose);
    layout->addLayout(buttons);
    setMinimumWidth(360);

    connect(btnCreate, &QPushButton::clicked, this, [this] { btnCreateClick(); });
    connect(btnClose, &QPushButton::clicked, this, &QDialog::close);
}

void TfrmUsersCreate::showEvent(QShowEvent* event) {
    fields_.clear();
    QDialog::showEvent(event);
}

void TfrmUsersCreate::say(const QString& text) {
    dialogs_.message(this, QStringLiteral("Сообщение"), text, platform::Icon::None);
}

void TfrmUsersCreate::btnCreateClick() {
    const UserRecord user = fields_.record();
    if (const auto problem = passwordLengthProblem(user.password)) {
        say(*problem);
        return;
    }
    const std::optional<int> id = users_.firstFreeSlot();
    if (loginTaken(users_.table(), user.login)) {
        say(QStringLiteral("Пользователь с таким логином уже существует."));
        return;
    }
    if (!id) {
        say(QStringLiteral("Невозможно создать пользователя. Превышен лимит пользователей."));
        return;
    }
    if (!users_.write(*id, user)) {
        say(kUserNotStored);
        return;
    }
    say(QStringLiteral("Создан новый пользователь ") + user.login + QStringLiteral(" (ID") + QString::number(*id) +
        QLatin1Char(')'));
}

}  // namespace veldar
