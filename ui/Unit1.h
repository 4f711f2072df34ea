// The main window: every control of the simulator, the two clocks, the table pointer, and the
// handlers that wire them together.
#pragma once

#include "ui/Form.h"

#include <QObject>
#include <cstdint>

class QFrame;
class QLabel;
class QPushButton;
class TChart;
class TChartSeries;
class TCheckBox;
class TImage;
class TIntervalTimer;
class TRadioButton;
class TTrackBar;

class TForm1 : public TForm {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // The components, created from the layout and owned by the window.
    TIntervalTimer* Timer1;
    QFrame* Panel2;
    TChart* Chart1;
    TChartSeries* Series1;
    QPushButton* btnZoom;
    QPushButton* btnClearChart;
    TCheckBox* cbAutoClear;
    TTrackBar* TrackBar2;
    QFrame* Panel3;
    QFrame* Panel1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* stHi;
    QPushButton* Button2;
    TCheckBox* cbAuto;
    QLabel* Label5;
    QLabel* Label6;
    QFrame* Panel4;
    TRadioButton* rbSin;
    TRadioButton* rbSaw;
    TRadioButton* rbRSaw;
    TRadioButton* rbTri;
    TRadioButton* rbSqr;
    TRadioButton* rbEcg;
    TImage* Image1;
    TIntervalTimer* Timer2;
    QPushButton* btn256;
    QPushButton* Button1;
    TTrackBar* TrackBar1;

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

private:
    void CreateComponents();
    void WireEvents();
    void OutputSample();

    std::uint8_t fPointer = 0;
};

// The application's one main window.
extern TForm1* Form1;
