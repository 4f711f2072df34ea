// The window's layout: places the controls made from the control table as designed at 120 pixels
// per inch, with their fonts, stacking, tab order and cursors, and keeps them following the
// monitor's pixel density and the size of the window (the rules are in LayoutRules.h).
#pragma once

#include "ui/LayoutRules.h"

#include <QObject>
#include <QRect>
#include <QSize>
#include <vector>

class QWidget;
class TArrowFocus;
struct TControlRow;
struct TFormDesign;
struct TMadeControl;

class TLayout : public QObject {
    Q_OBJECT
public:
    // form: the window. The layout becomes a child of the form.
    explicit TLayout(QWidget* form);

    // Lays the window and its controls out at the design density, then scales it to `density`.
    void Load(const TFormDesign& design, const std::vector<TMadeControl>& controls, int density);
    // Scales the whole window from its current sizes to `density`, and remembers it.
    void Rescale(int density);
    // The density the window is currently laid out for.
    int Density() const { return fDensity; }

    // The density of the monitor the widget is on.
    static int MonitorDensity(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One control and what the rules need to remember of it.
    struct TPlaced {
        QWidget* control;
        const TControlRow* row;
        QRect anchorRect; // the control's rectangle when the parent had anchorParent's size
        QSize anchorParent;
        int fontSize;  // pixels at the current density, 0 for the window's font
        int minHeight; // 0 for none
        int maxHeight; // 0 for none
        int thumbLength;
    };

    void Place(const TMadeControl& made);
    void Stack();
    void ChainTabOrder();
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
