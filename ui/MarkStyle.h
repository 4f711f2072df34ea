// The check mark and radio mark of the window's check boxes and radio buttons at the size and
// spacing the layout was designed for, so that captions fit the rectangles the layout gives them.
// Qt's own style draws larger marks with wider gaps, which cut off captions such as "SAW".
#pragma once

#include <QProxyStyle>

class TMarkStyle : public QProxyStyle {
    Q_OBJECT
public:
    // One instance for the application, owned by it.
    static TMarkStyle* Instance();

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

private:
    TMarkStyle();
};
