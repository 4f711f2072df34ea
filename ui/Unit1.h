// The main window: every control of the simulator, the two clocks, the table pointer, and the
// handlers that wire them together.
#pragma once

#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Panel.h"
#include "ui/StaticText.h"

#include <QObject>
#include <cstdint>

class QLabel;
class TChart;
class TChartMenu;
class TChartSeries;
class TCheckBox;
class TImage;
class TIntervalTimer;
class TRadioButton;
class TTrackBar;

// The step clock's interval in milliseconds at a position of the speed slider, from 500 at the
// slider's left end (position 1) to 1 at its right end (500).
constexpr int StepInterval(int speedPosition) {
    return 501 - speedPosition;
}

// The window's components, one field each, all made from the control table (ControlTable.cpp)
// except Series1, which is Chart1's own. They are kept in a plain struct of pointers so that the
// table can be checked against it while it compiles: every field has exactly one row.
struct TForm1Components {
    TIntervalTimer* Timer1 = nullptr;
    TPanel* Panel2 = nullptr;
    TChart* Chart1 = nullptr;
    TChartSeries* Series1 = nullptr;
    TButton* btnZoom = nullptr;
    TButton* btnClearChart = nullptr;
    TCheckBox* cbAutoClear = nullptr;
    TTrackBar* TrackBar2 = nullptr;
    TPanel* Panel3 = nullptr;
    TPanel* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    TStaticText* stHi = nullptr;
    TButton* Button2 = nullptr;
    TCheckBox* cbAuto = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    TPanel* Panel4 = nullptr;
    TRadioButton* rbSin = nullptr;
    TRadioButton* rbSaw = nullptr;
    TRadioButton* rbRSaw = nullptr;
    TRadioButton* rbTri = nullptr;
    TRadioButton* rbSqr = nullptr;
    TRadioButton* rbEcg = nullptr;
    TImage* Image1 = nullptr;
    TIntervalTimer* Timer2 = nullptr;
    TButton* btn256 = nullptr;
    TButton* Button1 = nullptr;
    TTrackBar* TrackBar1 = nullptr;
};

class TForm1 : public TForm, public TForm1Components {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Handlers. Sender is the control that raised the event; none uses it.
    void FormCreate(QObject* Sender);
    void FormKeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Button1Click(QObject* Sender);
    void Button2Click(QObject* Sender);
    void rbSinClick(QObject* Sender);
    void Timer1Timer(QObject* Sender);
    void cbAutoClick(QObject* Sender);
    void Image1Click(QObject* Sender);
    void TrackBar1Change(QObject* Sender);
    void Timer2Timer(QObject* Sender);
    void Series1AfterAdd(TChartSeries* Sender, int ValueIndex);
    void btnClearChartClick(QObject* Sender);
    void TrackBar2Change(QObject* Sender);
    void btn256Click(QObject* Sender);
    void btnZoomClick(QObject* Sender);

    // The chart's context menu, where other parts of the program add their entries.
    TChartMenu& ChartMenu() const { return *fChartMenu; }

private:
    void CreateComponents();
    void WireEvents();
    void OutputSample();

    std::uint8_t fPointer = 0;
    TChartMenu* fChartMenu = nullptr; // a child of Chart1
};

// The application's one main window.
extern TForm1* Form1;
