#include "ui/Accessibility.h"

#include "chart/AxisLabels.h"
#include "chart/Chart.h"
#include "ui/Image.h"
#include "ui/StaticText.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QWidget>

namespace {

// The chart, described by what it shows; the description is worked out only when a client asks
// for it, so that stepping costs nothing extra.
class TChartAccessible : public QAccessibleWidget {
public:
    explicit TChartAccessible(TChart* chart) : QAccessibleWidget(chart, QAccessible::Chart) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Description)
            return Describe(*static_cast<const TChart*>(widget()));
        return QAccessibleWidget::text(t);
    }

private:
    static QString Describe(const TChart& chart) {
        // The numbers read as the axis labels show them, so that a range that the wheel moved up
        // and back down reads 0 rather than the 8.88178e-16 that the doubles hold.
        const auto range = [](const TChartAxis& axis) {
            return QStringLiteral("%1 to %2")
                .arg(AxisLabels::FormatLabel(axis.Minimum()),
                     AxisLabels::FormatLabel(axis.Maximum()));
        };
        const int count = chart.Series().Count();
        return QStringLiteral("Stair-step line of %1 %2; X from %3, Sample from %4")
            .arg(count)
            .arg(count == 1 ? QStringLiteral("point") : QStringLiteral("points"))
            .arg(range(chart.BottomAxis()), range(chart.LeftAxis()));
    }
};

// The pointer display: static text whose text is the pointer's value, read through the text
// interface as a screen reader reads any static text.
class TDisplayAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit TDisplayAccessible(QLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return Content();
        return QAccessibleWidget::text(t);
    }

    // A read-only text without selection or cursor.
    QString text(int startOffset, int endOffset) const override {
        return Content().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(Content().size()); }
    void selection(int, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    QString Content() const { return static_cast<const QLabel*>(widget())->text(); }
};

// The arrow picture acts as a button: pressing it toggles automatic stepping like a click.
class TImageAccessible : public QAccessibleWidget {
public:
    explicit TImageAccessible(TImage* image) : QAccessibleWidget(image, QAccessible::Button) {}

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& actionName) override {
        auto* image = static_cast<TImage*>(widget());
        if (actionName == pressAction() && image->OnClick)
            image->OnClick(image);
    }
};

// Qt makes a control's accessible view as soon as the control announces a change while an
// assistive tool listens (a label does when its text is first set); drop such an early view of a
// control that has one of its own here, so that the next query builds ours.
template <typename TOwn> void DropEarlyView(QWidget* widget) {
    if (widget == nullptr)
        return;
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(widget);
    if (view != nullptr && dynamic_cast<TOwn*>(view) == nullptr)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(view));
}

QAccessibleInterface* CreateAccessible(const QString& key, QObject* object) {
    if (key == QLatin1String("TChart"))
        return new TChartAccessible(static_cast<TChart*>(object));
    if (key == QLatin1String("TImage"))
        return new TImageAccessible(static_cast<TImage*>(object));
    if (key == QLatin1String("TStaticText"))
        return new TDisplayAccessible(static_cast<TStaticText*>(object));
    return nullptr;
}

} // namespace

void InstallAccessibility(QWidget& window) {
    static const bool factoryInstalled = (QAccessible::installFactory(CreateAccessible), true);
    Q_UNUSED(factoryInstalled);
    DropEarlyView<TChartAccessible>(window.findChild<TChart*>());
    DropEarlyView<TImageAccessible>(window.findChild<TImage*>());
    DropEarlyView<TDisplayAccessible>(window.findChild<TStaticText*>());
}
