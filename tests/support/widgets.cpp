#include "widgets.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>

namespace testsupport {

void processEvents() { QApplication::processEvents(); }

namespace {

// QTest::keyClicks only knows ASCII; other characters arrive as key events carrying their
// text, as an input method delivers them.
void keyClicks(QWidget* w, const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(w, c.toLatin1());
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

}  // namespace

void click(QWidget* w) {
    if (!w) return;
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
    processEvents();
}

void click(QWidget* root, const QString& name) { click(find(root, name)); }

void typeInto(QWidget* root, const QString& name, const QString& text) {
    QWidget* w = find(root, name);
    if (!w) return;
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setFocus();
        e->selectAll();
        e->del();
        keyClicks(e, text);
    } else if (auto* c = qobject_cast<QComboBox*>(w); c && c->isEditable()) {
        c->lineEdit()->selectAll();
        c->lineEdit()->del();
        keyClicks(c->lineEdit(), text);
    } else if (auto* s = qobject_cast<QAbstractSpinBox*>(w)) {
        s->selectAll();
        keyClicks(s, text);
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
        p->clear();
        keyClicks(p, text);
    } else {
        ADD_FAILURE() << name.toStdString() << " does not take typed text";
    }
    processEvents();
}

void choose(QWidget* root, const QString& name, const QString& entry) {
    auto* c = find<QComboBox>(root, name);
    if (!c) return;
    const int i = c->findText(entry);
    if (i < 0) {
        ADD_FAILURE() << name.toStdString() << " has no entry " << entry.toStdString();
        return;
    }
    c->setCurrentIndex(i);
    Q_EMIT c->activated(i);
    processEvents();
}

QString shownText(QWidget* root, const QString& name) {
    QWidget* w = find(root, name);
    if (!w) return {};
    if (auto* cb = qobject_cast<QCheckBox*>(w))
        return cb->isChecked() ? QStringLiteral("checked") : QStringLiteral("unchecked");
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
    if (auto* s = qobject_cast<QAbstractSpinBox*>(w)) return s->text();
    if (auto* t = qobject_cast<QTextEdit*>(w)) return t->toPlainText();
    if (auto* p = qobject_cast<QPlainTextEdit*>(w)) return p->toPlainText();
    return w->windowTitle();
}

bool isShown(QWidget* root, const QString& name) {
    QWidget* w = find(root, name);
    if (!w) return false;
    // Up to its window: a control counts as shown when the window would show it.
    for (QWidget* p = w; p; p = p->parentWidget()) {
        if (p->isWindow()) return p != w || !p->isHidden();
        if (p->isHidden()) return false;
    }
    return true;
}

}  // namespace testsupport
