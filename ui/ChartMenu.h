// The chart's context menu: what the chart shows and the table the generator plays, copied to the
// clipboard for other programs, and whatever other parts of the program add. It only reads the
// chart and the working table: no range, zoom state or handler of the window changes by it.
#pragma once

#include <QMenu>
#include <functional>

class TChart;

class TChartMenu : public QMenu {
    Q_OBJECT
public:
    // A child of chart. It opens wherever the chart asks for it; Ctrl+C on the chart chooses
    // "Copy picture".
    explicit TChartMenu(TChart& chart);

    // Appends an entry; choosing it runs `chosen` under the window's error policy. This is how
    // other parts of the program offer themselves on the chart, with one call:
    //     Form1->ChartMenu().AddEntry(QStringLiteral("Signal lab…"), [lab] { lab->show(); });
    QAction* AddEntry(const QString& text, std::function<void()> chosen);

private:
    void CopyPicture();
    void CopySamples();
    void CopyWaveTable();

    TChart& fChart;
    QAction* fCopyPicture;
};
