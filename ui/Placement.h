// Centres a top-level window on the desktop when it is first shown, by its outer size, frame
// included, once the frame is known.
#pragma once

#include <QObject>

class QWidget;

class TPlacement : public QObject {
    Q_OBJECT
public:
    // Becomes a child of window and watches it until it has been placed.
    explicit TPlacement(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Centre();
    void Finish();

    QWidget* fWindow;
};
