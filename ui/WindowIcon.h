// The window's icon: the 48-pixel picture with its other sizes, so that a task bar or window
// switcher that shows it larger or smaller picks a picture drawn for that size.
#pragma once

#include <QIcon>

QIcon WindowIcon();
