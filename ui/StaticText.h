// Static text: a caption in a framed box of its own colour. It never takes the focus by Tab or by
// a click; only the arrow keys of a neighbouring control can move the focus onto it.
#pragma once

#include <QLabel>

class TStaticText : public QLabel {
    Q_OBJECT
public:
    explicit TStaticText(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
