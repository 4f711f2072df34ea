#include "ui/ArrowFocus.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <algorithm>

namespace {

bool MovesByArrows(const QWidget* control) {
    return qobject_cast<const QAbstractButton*>(control) != nullptr ||
           qobject_cast<const QLabel*>(control) != nullptr;
}

} // namespace

void TArrowFocus::AddGroup(std::vector<QWidget*> controls) {
    for (QWidget* control : controls)
        if (MovesByArrows(control))
            control->installEventFilter(this);
    fGroups.push_back(std::move(controls));
}

bool TArrowFocus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    int direction = 0;
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        direction = 1;
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        direction = -1;
        break;
    default:
        return false;
    }
    for (const auto& group : fGroups) {
        const auto here = std::find(group.begin(), group.end(), watched);
        if (here == group.end())
            continue;
        const int n = int(group.size());
        const int start = int(here - group.begin());
        for (int k = 1; k < n; ++k) {
            QWidget* next = group[size_t(((start + direction * k) % n + n) % n)];
            if (!next->isEnabled() || !next->isVisible())
                continue;
            next->setFocus(Qt::OtherFocusReason);
            if (auto* radio = qobject_cast<QRadioButton*>(next))
                radio->setChecked(true); // raises its click once, if it was not checked yet
            break;
        }
        return true;
    }
    return false;
}
