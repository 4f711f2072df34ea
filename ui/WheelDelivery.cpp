#include "ui/WheelDelivery.h"

#include <QApplication>
#include <QPointer>
#include <QWheelEvent>
#include <QWidget>

namespace {

class TWheelDelivery : public QObject {
public:
    TWheelDelivery(QWidget& window, QWidget& chart) : QObject(&window), fChart(&chart) {
        // Wheel events go to the control under the pointer; only an application-wide filter sees
        // them before it does.
        qApp->installEventFilter(this);
    }
    ~TWheelDelivery() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Wheel || fChart == nullptr || !fChart->hasFocus())
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget == nullptr || widget->window() != parent() || widget == fChart ||
            fChart->isAncestorOf(widget))
            return false;
        const auto* wheel = static_cast<QWheelEvent*>(event);
        QWheelEvent toChart(fChart->mapFromGlobal(wheel->globalPosition()), wheel->globalPosition(),
                            wheel->pixelDelta(), wheel->angleDelta(), wheel->buttons(),
                            wheel->modifiers(), wheel->phase(), wheel->inverted(), wheel->source());
        QApplication::sendEvent(fChart, &toChart);
        return true;
    }

private:
    QPointer<QWidget> fChart;
};

} // namespace

void DeliverWheelToFocusedChart(QWidget& window, QWidget& chart) {
    new TWheelDelivery(window, chart);
}
