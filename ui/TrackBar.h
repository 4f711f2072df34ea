// A horizontal track bar whose change event runs when code sets a different position and on every
// movement notification from the user, including one that leaves the position where it was. Keys
// and the channel move it by the steps the window's handlers expect, whatever the style's defaults.
#pragma once

#include <QSlider>
#include <functional>

class TTrackBar : public QSlider {
    Q_OBJECT
public:
    static constexpr int DefaultThumbLength = 20;

    explicit TTrackBar(QWidget* parent = nullptr);

    int Position() const { return value(); }
    // Clamped to Min..Max; raises OnChange only when the position changes.
    void SetPosition(int position) { setValue(position); }
    void SetRange(int min, int max) { setRange(min, max); }
    // A tick mark every `frequency` positions.
    void SetFrequency(int frequency) { setTickInterval(frequency); }
    // The thumb's extent across the channel, in device pixels.
    int ThumbLength() const { return fThumbLength; }
    void SetThumbLength(int pixels);

    std::function<void(QObject* Sender)> OnChange;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Change();
    QRect ThumbRect() const;

    int fThumbLength = DefaultThumbLength;
    bool fChannelHeld = false;
    QPoint fChannelPress;
};
