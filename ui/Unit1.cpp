#include "ui/Unit1.h"

#include "chart/Chart.h"
#include "chart/ChartError.h"
#include "engine/WaveTables.h"
#include "ui/Accessibility.h"
#include "ui/CheckBox.h"
#include "ui/ErrorDisplay.h"
#include "ui/Image.h"
#include "ui/IntervalTimer.h"
#include "ui/Layout.h"
#include "ui/Panel.h"
#include "ui/RadioButton.h"
#include "ui/StaticText.h"
#include "ui/TrackBar.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <utility>

TForm1* Form1 = nullptr;

namespace {

template <typename T> T* make(QWidget* parent, const char* name) {
    auto* widget = new T(parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

TForm1::TForm1(QWidget* parent) : TForm(parent) {
    setObjectName(QStringLiteral("Form1"));
    CreateComponents();
    InstallAccessibility(*this);
    WireEvents();
    FormCreate(this);
}

TForm1::~TForm1() = default;

// Creates every component with its state at start; where each one goes and how it looks is the
// layout's business (Layout.cpp), applied at the end.
void TForm1::CreateComponents() {
    Timer1 = new TIntervalTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->SetInterval(100);

    Panel2 = make<TPanel>(this, "Panel2");
    Chart1 = make<TChart>(Panel2, "Chart1");
    Series1 = &Chart1->Series();
    // The axes' ranges as the layout stores them, unchecked.
    Chart1->BottomAxis().StoreRange(0, 30);
    Chart1->LeftAxis().StoreRange(0, 255);
    btnZoom = make<QPushButton>(Panel2, "btnZoom");
    btnClearChart = make<QPushButton>(Panel2, "btnClearChart");
    cbAutoClear = make<TCheckBox>(Panel2, "cbAutoClear");
    cbAutoClear->SetChecked(true);
    TrackBar2 = make<TTrackBar>(Panel2, "TrackBar2");
    TrackBar2->SetRange(30, 10000);
    TrackBar2->SetPosition(255);
    TrackBar2->SetFrequency(1); // the marks run together into a solid strip

    Panel3 = make<TPanel>(this, "Panel3");
    Panel1 = make<TPanel>(Panel3, "Panel1");
    Label1 = make<QLabel>(Panel1, "Label1");
    Label2 = make<QLabel>(Panel1, "Label2");
    stHi = make<TStaticText>(Panel1, "stHi");
    Button2 = make<QPushButton>(Panel1, "Button2");
    cbAuto = make<TCheckBox>(Panel1, "cbAuto");
    Label5 = make<QLabel>(Panel3, "Label5");
    Label6 = make<QLabel>(Panel3, "Label6");

    Panel4 = make<TPanel>(Panel3, "Panel4");
    rbSin = make<TRadioButton>(Panel4, "rbSin");
    rbSaw = make<TRadioButton>(Panel4, "rbSaw");
    rbRSaw = make<TRadioButton>(Panel4, "rbRSaw");
    rbTri = make<TRadioButton>(Panel4, "rbTri");
    rbSqr = make<TRadioButton>(Panel4, "rbSqr");
    rbEcg = make<TRadioButton>(Panel4, "rbEcg");
    rbSin->setChecked(true);

    Image1 = make<TImage>(Panel3, "Image1");

    Timer2 = new TIntervalTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->SetInterval(300);

    btn256 = make<QPushButton>(Panel2, "btn256");
    Button1 = make<QPushButton>(Panel1, "Button1");
    TrackBar1 = make<TTrackBar>(Panel1, "TrackBar1");
    TrackBar1->SetRange(1, 500);
    TrackBar1->SetPosition(500);
    TrackBar1->SetFrequency(10);

    auto* layout = new TLayout(this);
    layout->Load(TLayout::MonitorDensity(this));
}

// Handlers are attached only once the layout has set every initial state, so that none of them
// runs while the window is being built.
void TForm1::WireEvents() {
    KeyPreview = true; // the window sees each key-down before the focused control
    OnKeyDown = [this](QObject* Sender, int& Key, Qt::KeyboardModifiers Shift) {
        FormKeyDown(Sender, Key, Shift);
    };
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(Button1); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(Button2); });
    for (TRadioButton* rb : {rbSin, rbSaw, rbRSaw, rbTri, rbSqr, rbEcg})
        rb->OnClick = [this](QObject* Sender) { rbSinClick(Sender); };
    Timer1->OnTimer = [this](QObject* Sender) { Timer1Timer(Sender); };
    // Starting or restarting a clock can fail; the error is shown and the program goes on.
    cbAuto->OnClick = [this](QObject* Sender) { RunHandler([&] { cbAutoClick(Sender); }); };
    Image1->OnClick = [this](QObject* Sender) { RunHandler([&] { Image1Click(Sender); }); };
    TrackBar1->OnChange = [this](QObject* Sender) { RunHandler([&] { TrackBar1Change(Sender); }); };
    Timer2->OnTimer = [this](QObject* Sender) { Timer2Timer(Sender); };
    Series1->OnAfterAdd = [this](TChartSeries* Sender, int ValueIndex) {
        Series1AfterAdd(Sender, ValueIndex);
    };
    connect(btnClearChart, &QPushButton::clicked, this,
            [this] { btnClearChartClick(btnClearChart); });
    TrackBar2->OnChange = [this](QObject* Sender) { TrackBar2Change(Sender); };
    connect(btn256, &QPushButton::clicked, this, [this] { btn256Click(btn256); });
    connect(btnZoom, &QPushButton::clicked, this, [this] { btnZoomClick(btnZoom); });
}

void TForm1::FormCreate(QObject*) {
    WaveTable = SinTable;
    fPointer = 0;
    OutputSample();
    Timer1->SetInterval(501 - TrackBar1->Position());
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
    Timer1->SetEnabled(cbAuto->Checked());
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
    Timer1->SetInterval(501 - TrackBar1->Position());
}

void TForm1::Timer2Timer(QObject*) {
    // 163 and 5 are device pixels, deliberately not scaled with the monitor's density.
    const int h = Image1->height();
    Image1->resize(Image1->width(), h <= 163 ? h + 5 : 163);
}
