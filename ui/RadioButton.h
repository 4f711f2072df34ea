// A radio button of a group formed by its parent: its click event runs once each time it becomes
// the checked one (by a click, the space bar, code or an arrow key), after the others are cleared.
// Only the checked button of the group is a tab stop, so Tab enters the group at it.
#pragma once

#include "ui/Events.h"

#include <QRadioButton>
#include <functional>

class TRadioButton : public QRadioButton {
    Q_OBJECT
public:
    explicit TRadioButton(QWidget* parent = nullptr) : QRadioButton(parent) {
        setFocusPolicy(Qt::ClickFocus);
        connect(this, &QRadioButton::toggled, this, [this](bool checked) {
            setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
            if (checked)
                Raise(OnClick, this);
        });
    }

    bool Checked() const { return isChecked(); }

    std::function<void(QObject* Sender)> OnClick;

protected:
    // The whole rectangle of the control answers a click, not only its mark and caption.
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};
