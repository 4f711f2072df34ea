#include "lab/SignalLab.h"

#include "lab/LabSource.h"
#include "lab/LabWindow.h"
#include "ui/ChartMenu.h"
#include "ui/CheckBox.h"
#include "ui/IntervalTimer.h"
#include "ui/RadioButton.h"
#include "ui/TrackBar.h"
#include "ui/Unit1.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>
#include <algorithm>

// The main window as the lab sees it. The table changes only through a waveform button, the step
// interval only through the speed slider, the run state only through "START  AUTO"; each of them
// emits its own Qt signal after the handler connected before it, so the state read here is the
// state the handler left.
class TMainWindowSource : public TLabSource {
public:
    explicit TMainWindowSource(const TForm1& form) : fForm(form) {
        const auto changed = [this] { emit Changed(); };
        for (TRadioButton* rb :
             {form.rbSin, form.rbSaw, form.rbRSaw, form.rbTri, form.rbSqr, form.rbEcg})
            connect(rb, &QAbstractButton::toggled, this, changed);
        connect(form.TrackBar1, &QSlider::valueChanged, this, changed);
        connect(form.cbAuto, &QAbstractButton::toggled, this, changed);
    }

    TWaveTable Table() const override { return WaveTable; }
    int StepIntervalMs() const override { return fForm.Timer1->Interval(); }
    bool Stepping() const override { return fForm.Timer1->Enabled(); }

private:
    const TForm1& fForm;
};

TSignalLab::TSignalLab(TForm1& form)
    : QObject(&form), fForm(form), fSource(std::make_unique<TMainWindowSource>(form)) {
    // Installed after the main window's key preview, so it sees each key before the preview does;
    // it never consumes one, so the preview and the focused control still get F2.
    qApp->installEventFilter(this);
    form.ChartMenu().AddEntry(QStringLiteral("Signal lab…"), [this] { Show(); });
}

TSignalLab::~TSignalLab() {
    delete fWindow; // before the source it reads
}

void TSignalLab::Toggle() {
    if (fWindow && fWindow->isVisible())
        fWindow->hide();
    else
        Show();
}

void TSignalLab::Show() {
    if (!fWindow) {
        fWindow = new TLabWindow(*fSource, &fForm);
        Place();
    }
    fWindow->show();
    fWindow->raise();
    fWindow->activateWindow();
}

// Beside the main window where the screen has room for it, so that both can be seen at once;
// otherwise against the screen's right edge, where it covers the chart rather than the controls.
void TSignalLab::Place() {
    const QScreen* screen = fForm.screen();
    if (screen == nullptr)
        return;
    const QRect room = screen->availableGeometry();
    const QRect main = fForm.frameGeometry();
    const QSize size = fWindow->sizeHint();
    const int top =
        std::clamp(main.top(), room.top(), std::max(room.top(), room.bottom() - size.height()));
    for (const int left : {main.right() + 1, main.left() - size.width()}) {
        if (room.contains(QRect(QPoint(left, top), size))) {
            fWindow->move(left, top);
            return;
        }
    }
    fWindow->move(std::max(room.left(), room.right() + 1 - size.width()), top);
}

bool TSignalLab::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    // A key a control leaves unhandled goes on to its parent as the same event; only its first
    // delivery is the key-down.
    const bool handedOn =
        event == fLastKey && fLastKeyReceiver != nullptr && fLastKeyReceiver->parent() == watched;
    fLastKey = event;
    fLastKeyReceiver = watched;
    auto* widget = qobject_cast<QWidget*>(watched);
    auto* key = static_cast<QKeyEvent*>(event);
    if (handedOn || widget == nullptr || key->key() != Qt::Key_F2 || key->isAutoRepeat())
        return false;
    const QWidget* window = widget->window();
    if (window == &fForm || (fWindow && window == fWindow))
        Toggle();
    return false;
}
