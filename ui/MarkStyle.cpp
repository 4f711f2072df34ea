#include "ui/MarkStyle.h"

#include "ui/LayoutRules.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace {
// At the design density of 120 pixels per inch.
constexpr int MarkSize = 16;
constexpr int MarkSpacing = 4;
} // namespace

TMarkStyle::TMarkStyle() {
    setParent(qApp);
}

TMarkStyle* TMarkStyle::Instance() {
    static QPointer<TMarkStyle> instance;
    if (instance == nullptr)
        instance = new TMarkStyle();
    return instance;
}

int TMarkStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                            const QWidget* widget) const {
    const int density = widget ? widget->logicalDpiY() : DesignDensity;
    switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
        return ScaleLength(MarkSize, density, DesignDensity);
    case PM_CheckBoxLabelSpacing:
    case PM_RadioButtonLabelSpacing:
        return ScaleLength(MarkSpacing, density, DesignDensity);
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}
