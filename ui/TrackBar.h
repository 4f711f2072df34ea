// A horizontal track bar whose change event runs when code sets a different position and on every
// movement notification from the user, including one that leaves the position where it was.
#pragma once

#include <QSlider>
#include <functional>

class TTrackBar : public QSlider {
    Q_OBJECT
public:
    explicit TTrackBar(QWidget* parent = nullptr);

    int Position() const { return value(); }
    // Clamped to Min..Max; raises OnChange only when the position changes.
    void SetPosition(int position) { setValue(position); }
    void SetRange(int min, int max) { setRange(min, max); }

    std::function<void(QObject* Sender)> OnChange;

private:
    void Change();
};
