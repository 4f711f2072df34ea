// The window's icon: its picture (a resource path) with the other sizes kept under :/icons, so that
// a task bar or window switcher that shows it larger or smaller picks a picture drawn for that
// size.
#pragma once

#include <QIcon>
#include <QString>

QIcon WindowIcon(const QString& picture);
