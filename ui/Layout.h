// The window's layout: every control's place, size, font, colours, caption, tab order and anchors
// as designed at 120 pixels per inch, kept as one table, and the rules by which the layout follows
// the monitor's pixel density and the size of the window.
#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

class QWidget;
class TArrowFocus;
struct TLayoutEntry; // one row of the layout table

// v × to / from, rounded to the nearest integer with halves away from zero.
int ScaleLength(int v, int to, int from);
// A rectangle scaled by its edges, so that controls that touch keep touching.
QRect ScaleEdges(const QRect& r, int to, int from);
// The top-left corner that centres a window of the given outer size on the desktop, never left of
// or above the desktop.
QPoint DesktopCentre(const QRect& desktop, const QSize& outer);

// The face every text of the window uses: Tahoma where it can be had, else a common sans face.
QString LayoutFontFamily();

class TLayout : public QObject {
    Q_OBJECT
public:
    static constexpr int DesignDensity = 120;
    // Densities below this scale nothing.
    static constexpr int MinimumDensity = 30;

    // form: the window, with every control of the table already created and named. The layout
    // becomes a child of the form.
    explicit TLayout(QWidget* form);

    // Lays the window out from the table at the design density, then scales it to `density`.
    void Load(int density);
    // Scales the whole window from its current sizes to `density`, and remembers it.
    void Rescale(int density);
    // The density the window is currently laid out for.
    int Density() const { return fDensity; }

    // The density of the monitor the widget is on.
    static int MonitorDensity(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One control of the table and what the rules need to remember of it.
    struct TPlaced {
        QWidget* control;
        const TLayoutEntry* entry;
        QRect anchorRect; // the control's rectangle when the parent had anchorParent's size
        QSize anchorParent;
        int fontSize;  // pixels at the current density, 0 for the window's font
        int minHeight; // 0 for none
        int maxHeight; // 0 for none
        int thumbLength;
    };

    void Place(const TLayoutEntry& entry);
    void ApplyAnchors();
    void ApplyFonts();
    void FollowEnabled(QWidget* control);

    QWidget* fForm;
    std::vector<TPlaced> fPlaced;
    TArrowFocus* fArrows;
    int fDensity = DesignDensity;
    int fFormFontSize = 0;
    bool fAnchorsSuspended = false; // while sizes are being set wholesale, ApplyAnchors waits
};
