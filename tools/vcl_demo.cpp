// Shows the list view, the chart and the picture component as the data and test screens
// use them: an owner-data list with Japanese captions, ticks and tinted rows, a reply
// chart with labelled points, and a framed ink area with a stroke.
//   vcl_demo [picture.png]   with an argument: saves the window to that file and exits

#include "data_views/UConstDisplay.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace {

struct DemoRow {
    int no;
    const char* question;
    int rate;
    double seconds;
};

constexpr DemoRow Rows[] = {
    {1, "日本の首都は？", 100, 1.234},   {2, "富士山の高さは？", 80, 2.5},
    {3, "一年は何日？", 60, 0.875},       {12, "光の速さは？", 0, 9.999},
    {37, "水の沸点は？", 45, 3.1},        {40, "円周率の最初の三桁は？", 90, 1.05},
    {41, "三角形の内角の和は？", 75, 4.2}, {100, "漢字「山」の読みは？", 50, 6.75},
};

void FillList(TListView& list, TRowList& rows)
{
    list.SetOwnerData(true);
    list.SetCheckboxes(true);
    const QStringList captions{"No.", "問題", "正解率", "回答時間", "最終ﾃｽﾄ"};
    const TAlignment alignments[] = {TAlignment::taCenter, TAlignment::taLeftJustify, TAlignment::taRightJustify,
                                     TAlignment::taRightJustify, TAlignment::taCenter};
    const int widths[] = {60, 200, 70, 80, 150};
    InitListColumns(list, captions.size());
    for (int i = 0; i < captions.size(); ++i) {
        list.Column(i).SetCaption(captions[i]);
        list.Column(i).SetAlignment(alignments[i]);
        list.Column(i).SetWidth(widths[i]);
    }
    for (const DemoRow& r : Rows) {
        auto row = std::make_unique<TListItem>();
        row->Caption = QString::asprintf("%3d", r.no);
        row->SubItems << QString::fromUtf8(r.question) << QStringLiteral("%1%").arg(r.rate)
                      << QStringLiteral("%1秒").arg(r.seconds, 0, 'f', 3)
                      << QStringLiteral("2024/05/01 13:07:%1").arg(r.no % 60, 2, 10, QLatin1Char('0'));
        row->Checked = r.rate >= 90;
        rows.push_back(std::move(row));
    }
    list.OnData = [&rows](TListView&, TListItem& item) {
        const TListItem& row = *rows.at(static_cast<std::size_t>(item.Index));
        item.Caption = row.Caption;
        item.SubItems = row.SubItems;
        item.Checked = row.Checked;
    };
    list.OnCustomDrawItem = [](TListView&, const TListItem& item, TColor& background) {
        if (item.Index % 2 == 0)
            background = RGBColor(229, 229, 229);
        if (item.Checked)
            background = RGBColor(255, 229, 229);
    };
    list.SetItemCount(static_cast<int>(rows.size()));
    SelectFirstItem(list);
}

void FillChart(TChart& chart)
{
    struct Layout {
        const char* title;
        TColor color;
        int width;
        bool line;
    };
    for (const Layout& s : {Layout{" ", RGBColor(255, 0, 0), 1, false}, Layout{"ﾃｽﾄ時間", RGBColor(128, 128, 255), 3, true},
                            Layout{"開始時刻", RGBColor(255, 128, 64), 1, true}}) {
        TChartSeries& series = chart.AddSeries();
        series.SetTitle(QString::fromUtf8(s.title));
        series.SetSeriesColor(s.color);
        series.SetLineWidth(s.width);
        series.SetLineVisible(s.line);
    }
    chart.LeftAxis().SetAutomatic(false);
    chart.LeftAxis().SetMinimum(0);
    chart.LeftAxis().SetMaximum(10.5);
    const double totals[] = {3.2, 2.8, 4.1, 1.9, 2.2, 1.5};
    const double starts[] = {1.1, 0.9, 2.0, 0.6, 0.8, 0.4};
    for (int i = 0; i < 6; ++i) {
        const QString label = QString::number(chart.Series(1).Count() + 1);
        chart.Series(0).Add(0, label, chart.Series(0).SeriesColor());
        chart.Series(1).Add(totals[i], label, chart.Series(1).SeriesColor());
        chart.Series(2).Add(starts[i], label, chart.Series(2).SeriesColor());
    }
    PadChartSeries(chart);
}

void DrawInk(TImage& image)
{
    DrawControlFrame(image);
    TCanvas& canvas = image.Canvas();
    canvas.Pen.Width = 3;
    canvas.MoveTo(30, 90);
    for (int x = 30; x <= 250; x += 10)
        canvas.LineTo(x, 90 - (x - 30) * (250 - x) / 400);
    canvas.Pen.Color = clRed;
    canvas.Pen.Width = 2;
    canvas.MoveTo(40, 120);
    canvas.LineTo(240, 120);
    canvas.Pen.Color = clBlack;
    canvas.Pen.Width = 1;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("表示部品の確認"));
    auto* layout = new QVBoxLayout(&window);
    auto* title = new QLabel(QStringLiteral("問題一覧：37"));
    layout->addWidget(title);

    TRowList rows;
    auto* list = new TListView;
    FillList(*list, rows);
    layout->addWidget(list, 1);

    auto* bottom = new QHBoxLayout;
    auto* chart = new TChart;
    FillChart(*chart);
    chart->setMinimumSize(560, 260);
    bottom->addWidget(chart, 1);
    auto* ink = new TImage;
    ink->setFixedSize(280, 160);
    ink->setCursor(Qt::CrossCursor);
    bottom->addWidget(ink);
    layout->addLayout(bottom);

    window.resize(900, 620);
    window.show();
    DrawInk(*ink);

    if (argc > 1) {
        const QString target = QString::fromLocal8Bit(argv[1]);
        QTimer::singleShot(300, [&window, &app, target] {
            if (!window.grab().save(target))
                qWarning("cannot save %s", qPrintable(target));
            app.quit();
        });
    }
    return app.exec();
}
