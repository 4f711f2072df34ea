// A push button whose click event runs once for a click with the mouse or for the space bar
// released while it has the focus; a double click counts as two clicks. A disabled button is
// greyed and raises nothing.
#pragma once

#include "ui/Events.h"

#include <QPushButton>
#include <functional>

class TButton : public QPushButton {
    Q_OBJECT
public:
    explicit TButton(QWidget* parent = nullptr) : QPushButton(parent) {
        setFocusPolicy(Qt::StrongFocus);
        connect(this, &QPushButton::clicked, this, [this] { Raise(OnClick, this); });
    }

    std::function<void(QObject* Sender)> OnClick;
};
