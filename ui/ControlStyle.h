// The style of the window's captioned controls: every caption (labels, static text, buttons,
// check boxes, radio buttons) set as the layout was designed (TextLayout.h), and check marks and
// radio marks small enough that the captions beside them fit the rectangles the layout gives
// them. Qt's own style draws larger marks with wider gaps, which cut off captions such as "SAW".
// Everything else is the application's style.
#pragma once

#include <QProxyStyle>

class TControlStyle : public QProxyStyle {
    Q_OBJECT
public:
    // One instance for the application, owned by it.
    static TControlStyle* Instance();

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    // Every control that shows a caption draws it through here.
    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
                      bool enabled, const QString& text,
                      QPalette::ColorRole textRole = QPalette::NoRole) const override;

private:
    TControlStyle();
};
