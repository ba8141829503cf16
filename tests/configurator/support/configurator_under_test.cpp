#include "configurator_under_test.h"

#include "support/widgets.h"

#include "configurator/app/log_pane.h"
#include "configurator/app/mainform.h"
#include "configurator/app/settings.h"
#include "configurator/app/status_panels.h"
#include "configurator/app/workspace.h"

#include "simulators/tvr/installation.h"

#include <QAction>
#include <QMenu>
#include <QTextBlock>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <gtest/gtest.h>

namespace veldartest {

ConfiguratorUnderTest::ConfiguratorUnderTest()
    : clock_(scheduler_, kStart),
      dialogs_([](const QString& what) { ADD_FAILURE() << what.toStdString(); }),
      registry_(dir_.path() + QStringLiteral("/registry")),
      portMap_(registry_),
      posixPorts_(portMap_),
      log_(clock_, locale_, dialogs_) {
    dialogs_.setStrict(true);
}

ConfiguratorUnderTest::~ConfiguratorUnderTest() {
    if (dialogs_.unansweredScript() > 0)
        ADD_FAILURE() << dialogs_.unansweredScript() << " expected box(es) never shown";
}

void ConfiguratorUnderTest::setSetting(const QString& name, const QString& value) {
    registry_.writeString(veldar::Settings::kKey, name, value);
}

QString ConfiguratorUnderTest::setting(const QString& name) {
    return registry_.readString(veldar::Settings::kKey, name).value_or(QStringLiteral("<missing>"));
}

void ConfiguratorUnderTest::addUser(int id, const veldar::UserRecord& user) {
    veldar::UserStore(registry_).write(id, user);
}

void ConfiguratorUnderTest::addAdministrator() {
    addUser(veldar::kAdministrator, veldar::UserRecord{QStringLiteral("Иванов"), QStringLiteral("Иван"),
                                                      QStringLiteral("Иванович"), QStringLiteral("Инженер"),
                                                      kAdminLogin, kAdminPassword});
}

platform::InProcessWire& ConfiguratorUnderTest::wire(const QString& port) {
    auto& w = wires_[port];
    if (!w) {
        auto& d = devices_[port];
        d = std::make_unique<RecordingDevice>();
        w = std::make_unique<platform::InProcessWire>(scheduler_, d.get());
        wirePorts_.add(port, w.get());
    }
    return *w;
}

RecordingDevice& ConfiguratorUnderTest::device(const QString& port) {
    wire(port);
    return *devices_.at(port);
}

tvrsim::Line& ConfiguratorUnderTest::units(const std::vector<int>& addresses, const QString& port) {
    auto& line = lines_[port];
    if (!line) {
        line = std::make_unique<tvrsim::Line>();
        wire(port).attach(line.get());
    }
    for (int a : addresses) line->add(tvrsim::makeUnit(static_cast<std::uint8_t>(a), scheduler_, clock_));
    return *line;
}

void ConfiguratorUnderTest::usePosixPorts() { posix_ = true; }

void ConfiguratorUnderTest::mapPort(const QString& name, const QString& path) { portMap_.setEntry(name, path); }

void ConfiguratorUnderTest::start() {
    const veldar::Services services{
        scheduler_,
        clock_,
        dialogs_,
        registry_,
        posix_ ? static_cast<platform::SerialPortFactory&>(posixPorts_) : wirePorts_,
        locale_,
        log_,
        defaultBase(),
        [this] {
            ended_ = true;
            veldar::leaveEventLoop();
        },
    };
    program_ = std::make_unique<veldar::Program>(services);
    program_->mainForm().show();
    testsupport::processEvents();
}

veldar::TMainForm& ConfiguratorUnderTest::main() { return program_->mainForm(); }

void ConfiguratorUnderTest::logIn(const QString& login, const QString& password) {
    type(QStringLiteral("cbUserName"), login);
    type(QStringLiteral("txtMaskPassword"), password);
    click(QStringLiteral("btnEnter"));
}

void ConfiguratorUnderTest::startLoggedIn() {
    addAdministrator();
    start();
    logIn(kAdminLogin, kAdminPassword);
    const QString port = registry_.readString(veldar::Settings::kKey, veldar::Settings::kCurrComm).value_or(QString());
    if (port.isEmpty() || port == QLatin1String("n/a")) expectBox(QStringLiteral("Порт для связи не был выбран!"));
    advance(veldar::TMainForm::kOneShotMs * 2 + 1);
}

void ConfiguratorUnderTest::startConnected(const QString& port) {
    wire(port);
    setSetting(veldar::Settings::kCurrComm, port);
    expectBox(QStringLiteral("Порт ") + port + QStringLiteral(" успешно открыт!"));
    startLoggedIn();
}

const platform::ScriptedDialogs::Shown& ConfiguratorUnderTest::lastBox() const {
    static const platform::ScriptedDialogs::Shown none{};
    if (dialogs_.shown().empty()) {
        ADD_FAILURE() << "no box was shown";
        return none;
    }
    return dialogs_.shown().back();
}

QWidget* ConfiguratorUnderTest::window(const QString& name) { return testsupport::find(&main(), name); }

void ConfiguratorUnderTest::click(const QString& name, QWidget* root) {
    testsupport::click(root ? root : &main(), name);
}

void ConfiguratorUnderTest::type(const QString& name, const QString& text, QWidget* root) {
    testsupport::typeInto(root ? root : &main(), name, text);
}

void ConfiguratorUnderTest::choose(const QString& name, const QString& entry, QWidget* root) {
    testsupport::choose(root ? root : &main(), name, entry);
}

QString ConfiguratorUnderTest::text(const QString& name, QWidget* root) {
    return testsupport::shownText(root ? root : &main(), name);
}

bool ConfiguratorUnderTest::shown(const QString& name, QWidget* root) {
    return testsupport::isShown(root ? root : &main(), name);
}

bool ConfiguratorUnderTest::reachable(QAction* action) {
    if (!action->isVisible() || !action->isEnabled()) return false;
    for (QObject* holder : action->associatedObjects()) {
        auto* menu = qobject_cast<QMenu*>(holder);
        if (menu && menu->menuAction() != action) return reachable(menu->menuAction());
    }
    return true;
}

void ConfiguratorUnderTest::trigger(const QString& item) {
    QAction* action = main().menuItem(item);
    if (!action) {
        ADD_FAILURE() << "no menu item " << item.toStdString();
        return;
    }
    if (!reachable(action)) {
        ADD_FAILURE() << "menu item " << item.toStdString() << " cannot be reached";
        return;
    }
    action->trigger();
    testsupport::processEvents();
}

bool ConfiguratorUnderTest::menuShown(const QString& item) {
    QAction* action = main().menuItem(item);
    if (!action) ADD_FAILURE() << "no menu item " << item.toStdString();
    return action && reachable(action);
}

bool ConfiguratorUnderTest::menuChecked(const QString& item) {
    QAction* action = main().menuItem(item);
    return action && action->isChecked();
}

void ConfiguratorUnderTest::chooseNode(const QString& caption) {
    QTreeWidget* tree = main().workspace().tree();
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        if ((*it)->text(0) == caption) {
            tree->setCurrentItem(*it);
            testsupport::processEvents();
            return;
        }
    }
    ADD_FAILURE() << "no tree node " << caption.toStdString();
}

QString ConfiguratorUnderTest::statusPanel(int panel) { return main().statusPanels().text(panel); }

QStringList ConfiguratorUnderTest::logLines() {
    auto* pane = testsupport::find<veldar::LogPane>(&main(), QStringLiteral("reLOG"));
    if (!pane || pane->document()->isEmpty()) return {};
    return pane->toPlainText().split(QLatin1Char('\n'));
}

int ConfiguratorUnderTest::logLinesContaining(const QString& text) {
    int n = 0;
    for (const QString& line : logLines())
        if (line.contains(text)) ++n;
    return n;
}

QColor ConfiguratorUnderTest::logLineColour(int line) {
    auto* pane = testsupport::find<veldar::LogPane>(&main(), QStringLiteral("reLOG"));
    const QTextBlock block = pane->document()->findBlockByNumber(line);
    if (!block.isValid() || block.begin().atEnd()) return {};
    const QTextCharFormat format = block.begin().fragment().charFormat();
    return format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color() : QColor();
}

QByteArray ConfiguratorUnderTest::logFile() const {
    QFile f(log_.filePath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace veldartest
