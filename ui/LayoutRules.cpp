#include "ui/LayoutRules.h"

#include <algorithm>
#include <cstdlib>

int ScaleLength(int v, int to, int from) {
    const long long n = static_cast<long long>(v) * to;
    const long long q = (std::llabs(n) * 2 + from) / (2LL * from); // half away from zero
    return static_cast<int>(n < 0 ? -q : q);
}

QRect ScaleEdges(const QRect& r, int to, int from) {
    const int left = ScaleLength(r.x(), to, from);
    const int top = ScaleLength(r.y(), to, from);
    const int right = ScaleLength(r.x() + r.width(), to, from);
    const int bottom = ScaleLength(r.y() + r.height(), to, from);
    return QRect(left, top, right - left, bottom - top);
}

QRect Anchored(const QRect& current, const QRect& atRecorded, const QSize& parentRecorded,
               const QSize& parent, TAnchors anchors) {
    QRect r = current;
    if (anchors & akRight) {
        const int dw = parent.width() - parentRecorded.width();
        if (anchors & akLeft)
            r.setWidth(std::max(0, atRecorded.width() + dw));
        else
            r.moveLeft(atRecorded.left() + dw);
    }
    if (anchors & akBottom) {
        const int dh = parent.height() - parentRecorded.height();
        if (anchors & akTop)
            r.setHeight(std::max(0, atRecorded.height() + dh));
        else
            r.moveTop(atRecorded.top() + dh);
    }
    return r;
}

QPoint DesktopCentre(const QRect& desktop, const QSize& outer) {
    // Integer division truncates, as the centring rule expects.
    const int left = desktop.x() + desktop.width() / 2 - outer.width() / 2;
    const int top = desktop.y() + desktop.height() / 2 - outer.height() / 2;
    return QPoint(std::max(left, desktop.x()), std::max(top, desktop.y()));
}
