#include "setpaths.h"

#include "folders.h"

#include "platform/ui/dialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace veldar {

TfrmPathSettings::TfrmPathSettings(WorkingFolders& folders, platform::Dialogs& dialogs, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint),
      folders_(folders),
      dialogs_(dialogs),
      txtSettingsPath(new QLineEdit),
      txtArchivePath(new QLineEdit),
      btnShowFolderTreeSettings(new QPushButton(QStringLiteral("..."))),
      btnShowFolderTreeArchive(new QPushButton(QStringLiteral("..."))),
      btnOK(new QPushButton(QStringLiteral("ОК"))),
      btnCancel(new QPushButton(QStringLiteral("Отмена"))) {
    setObjectName(QStringLiteral("TfrmPathSettings"));
    setWindowTitle(QStringLiteral("Пути к файлам"));
    txtSettingsPath->setObjectName(QStringLiteral("txtSettingsPath"));
    txtArchivePath->setObjectName(QStringLiteral("txtArchivePath"));
    btnShowFolderTreeSettings->setObjectName(QStringLiteral("btnShowFolderTreeSettings"));
    btnShowFolderTreeArchive->setObjectName(QStringLiteral("btnShowFolderTreeArchive"));
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    for (QPushButton* b : {btnShowFolderTreeSettings, btnShowFolderTreeArchive}) b->setFixedWidth(30);
    txtSettingsPath->setMinimumWidth(380);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Настройки")), 0, 0, 1, 2);
    grid->addWidget(txtSettingsPath, 1, 0);
    grid->addWidget(btnShowFolderTreeSettings, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Данные")), 2, 0, 1, 2);
    grid->addWidget(txtArchivePath, 3, 0);
    grid->addWidget(btnShowFolderTreeArchive, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    grid->addLayout(buttons, 4, 0, 1, 2);

    connect(btnShowFolderTreeSettings, &QPushButton::clicked, this, [this] { browse(txtSettingsPath); });
    connect(btnShowFolderTreeArchive, &QPushButton::clicked, this, [this] { browse(txtArchivePath); });
    connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmPathSettings::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TfrmPathSettings::FormShow() {
    txtSettingsPath->setText(folders_.settingsPath());
    txtArchivePath->setText(folders_.dataPath());
}

void TfrmPathSettings::browse(QLineEdit* edit) {
    if (const auto folder = dialogs_.browseFolder(this, QString(), edit->text())) edit->setText(*folder);
}

void TfrmPathSettings::btnOKClick() {
    if (txtSettingsPath->text().isEmpty() || txtArchivePath->text().isEmpty()) {
        dialogs_.message(this, QStringLiteral("VELDAR"), QStringLiteral("Поля должны быть заполнены!"),
                         platform::Icon::Error);
        return;
    }
    folders_.apply(txtSettingsPath->text(), txtArchivePath->text());
    accept();
}

}  // namespace veldar
