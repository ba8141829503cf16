#pragma once

// Helpers for window tests: find a control by its objectName, click it, type into it and
// read what it shows.

#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

namespace testsupport {

// The descendant of root (or root itself) with this objectName; fails the test when there is
// none or it is not a T.
template <typename T = QWidget>
T* find(QWidget* root, const QString& name) {
    T* w = nullptr;
    if (root->objectName() == name) w = qobject_cast<T*>(root);
    if (!w) w = root->findChild<T*>(name);
    if (!w) ADD_FAILURE() << "no control named " << name.toStdString();
    return w;
}

// A mouse click in the middle of the control (a button, check box, radio button, …).
// Hidden or disabled controls do not react, as for a user; the control must exist.
void click(QWidget* root, const QString& name);
void click(QWidget* w);

// Replaces the text of an edit (line edit, spin box, editable combo box) as a user would.
void typeInto(QWidget* root, const QString& name, const QString& text);

// Chooses the entry with this text in a combo box; fails when there is none.
void choose(QWidget* root, const QString& name, const QString& entry);

// What the control shows: label, button, edit, combo box current text, check state as
// "checked"/"unchecked" for check boxes.
QString shownText(QWidget* root, const QString& name);

// Whether the control would be visible once its window is on screen; for a window itself,
// whether it is shown.
bool isShown(QWidget* root, const QString& name);

// Runs pending Qt events (posted events, deferred deletes).
void processEvents();

}  // namespace testsupport
