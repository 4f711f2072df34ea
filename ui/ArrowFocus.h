// Arrow-key focus moves inside a panel: on a focused push button, check box, radio button or
// static text, Right and Down go to the next and Left and Up to the previous enabled control of
// the same panel in tab order, wrapping, tab stop or not. Landing on a radio button checks it.
#pragma once

#include <QObject>
#include <QWidget>
#include <vector>

class TArrowFocus : public QObject {
    Q_OBJECT
public:
    explicit TArrowFocus(QObject* parent = nullptr) : QObject(parent) {}

    // The focusable controls of one panel in tab order. Those of them that the arrow keys move
    // from are watched; the others (track bars, the chart) keep the arrows for themselves.
    void AddGroup(std::vector<QWidget*> controls);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<std::vector<QWidget*>> fGroups;
};
