// The picture control: shows an image stretched to its rectangle by nearest-neighbour sampling,
// blended by its alpha over what lies beneath, and raises a click event for a press and release of
// the left button inside it (not for the second press of a double click).
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

class TImage : public QWidget {
    Q_OBJECT
public:
    explicit TImage(QWidget* parent = nullptr);

    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return fPicture; }

    // The picture stretched to size: destination (x, y) takes source
    // (floor(x * width / size.width), floor(y * height / size.height)).
    static QImage Stretch(const QImage& picture, const QSize& size);

    std::function<void(QObject* Sender)> OnClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage fPicture;
    QImage fStretched; // fPicture at the control's last painted size
    bool fPressed = false;
};
