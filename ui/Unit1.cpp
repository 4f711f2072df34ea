#include "ui/Unit1.h"

#include "chart/Chart.h"
#include "chart/ChartError.h"
#include "engine/WaveTables.h"
#include "ui/Accessibility.h"
#include "ui/ChartMenu.h"
#include "ui/CheckBox.h"
#include "ui/ControlRow.h"
#include "ui/ControlTable.h"
#include "ui/IntervalTimer.h"
#include "ui/Layout.h"
#include "ui/WheelDelivery.h"

#include <functional>
#include <utility>
#include <vector>

TForm1* Form1 = nullptr;

TForm1::TForm1(QWidget* parent) : TForm(parent) {
    setObjectName(QStringLiteral("Form1"));
    CreateComponents();
    InstallAccessibility(*this);
    DeliverWheelToFocusedChart(*this, *Chart1);
    fChartMenu = new TChartMenu(*Chart1);
    WireEvents();
    FormCreate(this);
}

TForm1::~TForm1() = default;

// Every component is made from its row of the control table with its state at start, and then
// laid out; no handler is attached yet.
void TForm1::CreateComponents() {
    ApplyFormDesign(*this, FormDesign());
    const std::vector<TMadeControl> controls = MakeControls(*this, *this, ControlTable());
    Series1 = &Chart1->Series();
    MakeClocks(*this, *this, ClockTable());
    auto* layout = new TLayout(this);
    layout->Load(FormDesign(), controls, TLayout::MonitorDensity(this));
}

// Handlers are attached only once every initial state is set, so that none of them runs while the
// window is being built.
void TForm1::WireEvents() {
    OnKeyDown = std::bind_front(&TForm1::FormKeyDown, this);
    Button1->OnClick = std::bind_front(&TForm1::Button1Click, this);
    Button2->OnClick = std::bind_front(&TForm1::Button2Click, this);
    for (TRadioButton* rb : {rbSin, rbSaw, rbRSaw, rbTri, rbSqr, rbEcg})
        rb->OnClick = std::bind_front(&TForm1::rbSinClick, this);
    Timer1->OnTimer = std::bind_front(&TForm1::Timer1Timer, this);
    cbAuto->OnClick = std::bind_front(&TForm1::cbAutoClick, this);
    Image1->OnClick = std::bind_front(&TForm1::Image1Click, this);
    TrackBar1->OnChange = std::bind_front(&TForm1::TrackBar1Change, this);
    Timer2->OnTimer = std::bind_front(&TForm1::Timer2Timer, this);
    Series1->OnAfterAdd = std::bind_front(&TForm1::Series1AfterAdd, this);
    btnClearChart->OnClick = std::bind_front(&TForm1::btnClearChartClick, this);
    TrackBar2->OnChange = std::bind_front(&TForm1::TrackBar2Change, this);
    btn256->OnClick = std::bind_front(&TForm1::btn256Click, this);
    btnZoom->OnClick = std::bind_front(&TForm1::btnZoomClick, this);
}

void TForm1::FormCreate(QObject*) {
    WaveTable = SinTable;
    fPointer = 0;
    OutputSample();
    Timer1->SetInterval(StepInterval(TrackBar1->Position()));
    Timer1->SetEnabled(false);
    TrackBar2Change(this);
}

void TForm1::OutputSample() {
    stHi->setText(QString::number(fPointer));
    Series1->AddY(WaveTable[fPointer]);
}

void TForm1::Timer1Timer(QObject*) {
    ++fPointer; // 8 bits: 255 wraps to 0
    OutputSample();
}

void TForm1::Button1Click(QObject* Sender) {
    Timer1Timer(Sender);
}

void TForm1::Button2Click(QObject*) {
    fPointer = 0;
    stHi->setText(QStringLiteral("0"));
}

void TForm1::rbSinClick(QObject* Sender) {
    const std::pair<const TRadioButton*, const TWaveTable*> choices[] = {
        {rbSin, &SinTable},   {rbEcg, &EcgTable}, {rbSaw, &SawTable},
        {rbRSaw, &RSawTable}, {rbTri, &TriTable}, {rbSqr, &SqrTable},
    };
    for (const auto& [button, table] : choices) {
        if (button->Checked()) {
            WaveTable = *table;
            break;
        }
    }
    Button2Click(Sender);
    Series1->Clear();
}

void TForm1::btnClearChartClick(QObject*) {
    Series1->Clear();
}

void TForm1::Series1AfterAdd(TChartSeries*, int ValueIndex) {
    if (cbAutoClear->Checked()) {
        try {
            const double M = Chart1->BottomAxis().Maximum();
            if (!(M >= ValueIndex))
                Series1->Clear();
        } catch (const EChartException&) {
        }
    } else {
        try {
            if (ValueIndex > 9999)
                Series1->Clear();
        } catch (const EChartException&) {
        }
    }
}

void TForm1::TrackBar2Change(QObject*) {
    try {
        Chart1->BottomAxis().SetMaximum(TrackBar2->Position());
    } catch (const EChartException&) {
        // A maximum below a zoomed or panned minimum is refused; the axis keeps its range.
    }
}

void TForm1::btn256Click(QObject*) {
    TrackBar2->SetPosition(255);
}

void TForm1::btnZoomClick(QObject*) {
    Chart1->UndoZoom();
}

void TForm1::cbAutoClick(QObject*) {
    try {
        Timer1->SetEnabled(cbAuto->Checked());
    } catch (const EOutOfResources&) {
        // The step clock could not start, so stepping stays off: the check box goes back, which
        // runs this handler again for the state the clocks are in, and the error goes on to the
        // error display.
        cbAuto->SetChecked(false);
        throw;
    }
    Button1->setEnabled(!cbAuto->Checked());
    Timer2->SetEnabled(!Timer1->Enabled());
}

void TForm1::Image1Click(QObject* Sender) {
    cbAuto->SetChecked(!cbAuto->Checked());
    cbAutoClick(Sender);
}

void TForm1::FormKeyDown(QObject*, int& Key, Qt::KeyboardModifiers) {
    if (Key == Qt::Key_Space)
        Image1Click(this);
}

void TForm1::TrackBar1Change(QObject*) {
    Timer1->SetInterval(StepInterval(TrackBar1->Position()));
}

void TForm1::Timer2Timer(QObject*) {
    // 163 and 5 are device pixels, deliberately not scaled with the monitor's density.
    const int h = Image1->height();
    Image1->resize(Image1->width(), h <= 163 ? h + 5 : 163);
}
