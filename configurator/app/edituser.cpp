#include "edituser.h"

#include "user_rules.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace veldar {
namespace {
const QString kCaption = QStringLiteral("Сообщение");
}

TfrmEditUser::TfrmEditUser(UserStore& users, platform::Dialogs& dialogs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint),
      users_(users),
      dialogs_(dialogs),
      gridUserList(new QTableWidget(kUserSlots, 2)),
      txtID(new QLineEdit),
      form_(new QFormLayout),
      fields_(form_),
      btnSave(new QPushButton(QStringLiteral("Сохранить изменения"))),
      btnDelete(new QPushButton(QStringLiteral("Удалить пользователя"))),
      btnClose(new QPushButton(QStringLiteral("Закрыть"))) {
    setObjectName(QStringLiteral("TfrmEditUser"));
    setWindowTitle(QStringLiteral("Изменения днанных пользователей"));
    gridUserList->setObjectName(QStringLiteral("gridUserList"));
    gridUserList->setHorizontalHeaderLabels({QStringLiteral("ID"), QStringLiteral("Логин")});
    gridUserList->verticalHeader()->hide();
    gridUserList->verticalHeader()->setDefaultSectionSize(22);
    gridUserList->setMinimumHeight(gridUserList->horizontalHeader()->sizeHint().height() + 22 * kUserSlots + 4);
    gridUserList->horizontalHeader()->setStretchLastSection(true);
    gridUserList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gridUserList->setSelectionBehavior(QAbstractItemView::SelectRows);
    gridUserList->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int row = 0; row < kUserSlots; ++row)
        for (int column = 0; column < 2; ++column) gridUserList->setItem(row, column, new QTableWidgetItem);
    gridUserList->setCurrentCell(0, 0);
    txtID->setObjectName(QStringLiteral("txtID"));
    txtID->setReadOnly(true);
    form_->insertRow(0, QStringLiteral("ID"), txtID);
    btnSave->setObjectName(QStringLiteral("btnSave"));
    btnDelete->setObjectName(QStringLiteral("btnDelete"));
    btnClose->setObjectName(QStringLiteral("btnClose"));

    auto* list = new QVBoxLayout;
    list->addWidget(new QLabel(QStringLiteral("Список пользователей")));
    list->addWidget(gridUserList);
    auto* top = new QHBoxLayout;
    top->addLayout(list);
    top->addLayout(form_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnSave);
    buttons->addWidget(btnDelete);
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    resize(620, 360);

    connect(gridUserList, &QTableWidget::currentCellChanged, this, [this](int row) { showRow(row); });
    connect(btnSave, &QPushButton::clicked, this, [this] { btnSaveClick(); });
    connect(btnDelete, &QPushButton::clicked, this, [this] { btnDeleteClick(); });
    connect(btnClose, &QPushButton::clicked, this, &QDialog::close);
}

void TfrmEditUser::showEvent(QShowEvent* event) {
    refresh();
    QDialog::showEvent(event);
}

void TfrmEditUser::refresh() {
    for (int row = 0; row < kUserSlots; ++row)
        for (int column = 0; column < 2; ++column) gridUserList->item(row, column)->setText(QString());
    int row = 0;
    for (int id = 0; id < kUserSlots; ++id) {
        if (!users_.load(id)) continue;
        gridUserList->item(row, 0)->setText(QString::number(id));
        gridUserList->item(row, 1)->setText(users_.user(id).login);
        ++row;
    }
    showRow(gridUserList->currentRow());
}

void TfrmEditUser::showRow(int row) {
    const QTableWidgetItem* idCell = row >= 0 ? gridUserList->item(row, 0) : nullptr;
    const bool filled = idCell && !idCell->text().isEmpty();
    if (filled) {
        txtID->setText(idCell->text());
        fields_.show(users_.user(idCell->text().toInt()));
    } else {
        txtID->clear();
        fields_.clear();
    }
    btnSave->setEnabled(filled);
    btnDelete->setEnabled(filled);
}

void TfrmEditUser::say(const QString& text, platform::Icon icon) {
    dialogs_.message(this, kCaption, text, icon);
}

void TfrmEditUser::btnSaveClick() {
    const int id = txtID->text().toInt();
    const UserRecord user = fields_.record();
    if (loginTaken(users_.table(), user.login, id)) {
        say(QStringLiteral("Пользователь с таким логином уже существует."), platform::Icon::None);
        return;
    }
    if (const auto problem = passwordLengthProblem(user.password)) {
        say(*problem, platform::Icon::None);
        return;
    }
    if (!users_.write(id, user)) {
        say(kUserNotStored, platform::Icon::None);
        return;
    }
    say(QStringLiteral("Данные пользователя ") + user.login + QStringLiteral(" (ID") + QString::number(id) +
            QStringLiteral(") сохранены."),
        platform::Icon::Information);
    refresh();
}

void TfrmEditUser::btnDeleteClick() {
    const int id = txtID->text().toInt();
    const QString who = fields_.txtLogin->text() + QStringLiteral(" (ID") + QString::number(id) + QLatin1Char(')');
    if (id == kAdministrator) {
        say(QStringLiteral("Не возможно удалить пользователя с ID=") + QString::number(id),
            platform::Icon::Warning);
        return;
    }
    if (dialogs_.message(this, kCaption, QStringLiteral("Удалить пользователя ") + who + QLatin1Char('?'),
                         platform::Icon::Question, platform::Buttons::YesNo) != platform::Answer::Yes)
        return;
    if (!users_.occupied(id)) return;
    if (!users_.remove(id)) {
        say(kUserNotStored, platform::Icon::None);
        return;
    }
    say(QStringLiteral("Пользователь ") + who + QStringLiteral(" удален"), platform::Icon::Information);
    refresh();
}

}  // namespace veldar
