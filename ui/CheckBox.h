// A check box whose click event follows its state: it runs exactly when the checked state really
// changes, whether a user click, the space bar or code changed it.
#pragma once

#include "ui/Events.h"

#include <QCheckBox>
#include <functional>

class TCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit TCheckBox(QWidget* parent = nullptr) : QCheckBox(parent) {
        setFocusPolicy(Qt::StrongFocus);
        connect(this, &QCheckBox::toggled, this, [this] { Raise(OnClick, this); });
    }

    bool Checked() const { return isChecked(); }
    // Raises OnClick when, and only when, the state changes.
    void SetChecked(bool checked) { setChecked(checked); }

    std::function<void(QObject* Sender)> OnClick;

protected:
    // The whole rectangle of the control answers a click, not only its mark and caption.
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};
