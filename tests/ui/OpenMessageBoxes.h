// The texts of the message boxes the error display has on screen, for tests that make a handler
// fail and check what the user is told.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QWidget>

inline QStringList OpenMessageTexts() {
    QStringList texts;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
            texts.append(box->text());
    return texts;
}
