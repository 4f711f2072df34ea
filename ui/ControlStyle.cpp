#include "ui/ControlStyle.h"

#include "ui/LayoutRules.h"
#include "ui/TextLayout.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QWidget>

namespace {
// At the design density of 120 pixels per inch. The narrowest rectangle, "SAW"'s at 57 pixels,
// holds its 40-pixel caption after a mark and gap of 16, and still does at 96 and 144 dpi, where
// the caption's whole-pixel widths scale less evenly than the rectangle.
constexpr int MarkSize = 13;
constexpr int MarkSpacing = 3;
} // namespace

TControlStyle::TControlStyle() {
    setParent(qApp);
}

TControlStyle* TControlStyle::Instance() {
    static QPointer<TControlStyle> instance;
    if (instance == nullptr)
        instance = new TControlStyle();
    return instance;
}

int TControlStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
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

void TControlStyle::drawItemText(QPainter* painter, const QRect& rect, int flags,
                                 const QPalette& palette, bool enabled, const QString& text,
                                 QPalette::ColorRole textRole) const {
    if (text.isEmpty())
        return;
    painter->save();
    // A disabled caption is etched where the style etches it: drawn once in the light colour one
    // pixel down and right, then in the text colour on top.
    if (!enabled && proxy()->styleHint(SH_EtchDisabledText)) {
        painter->setPen(palette.light().color());
        DrawCaption(*painter, rect.translated(1, 1), flags, text);
    }
    if (textRole != QPalette::NoRole)
        painter->setPen(QPen(palette.brush(textRole), painter->pen().widthF()));
    DrawCaption(*painter, rect, flags, text);
    painter->restore();
}
