// A panel: a raised one-pixel bevel (button highlight at the top and left, button shadow at the
// bottom and right) around an area that shows either the window's colour or a fill of its own.
#pragma once

#include <QColor>
#include <QFrame>

class TPanel : public QFrame {
    Q_OBJECT
public:
    explicit TPanel(QWidget* parent = nullptr);

    // An invalid colour (the default) lets the parent's background show through.
    void SetFill(const QColor& fill);
    QColor Fill() const { return fFill; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fFill;
};
