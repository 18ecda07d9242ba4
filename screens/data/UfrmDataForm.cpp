// The data screen's form: the layout of UfrmData.ui with its pictures, the chart series,
// the popup menus, the list fonts and the window-state component.
#include "screens/data/UfrmData.h"

#include "platform/vcl/Chart.h"
#include "platform/vcl/ComboBox.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/ListView.h"
#include "platform/vcl/PopupMenu.h"
#include "platform/vcl/SpeedButton.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QSplitter>
#include <QStatusBar>
#include <array>

namespace {

// The lists ask for this font by name; the font substitutes of the unit initialisation
// give the system's Japanese monospace font in its place.
const QString ListFontFamily = QStringLiteral("ＭＳ ゴシック");
constexpr int ListFontPixels = 12;
constexpr int StatusPanelWidth = 50;
constexpr double ReplyAxisSeconds = 10.5;

struct TSeriesLook {
    const char16_t* Title;
    TColor Color;
    int Width;
    bool Line;
};

// Series of the history chart and of the reply chart, in the order the stores fill them.
const std::array<TSeriesLook, 5> HistorySeries = {{
    {u" ", RGBColor(0, 128, 0), 1, false},
    {u"問題数", RGBColor(0, 0, 255), 3, true},
    {u"正解数", RGBColor(128, 255, 128), 2, true},
    {u"合格数", RGBColor(255, 0, 0), 1, true},
    {u"平均時間", RGBColor(0, 128, 64), 2, true},
}};
const std::array<TSeriesLook, 3> ReplySeries = {{
    {u" ", RGBColor(255, 0, 0), 1, false},
    {u"ﾃｽﾄ時間", RGBColor(128, 128, 255), 3, true},
    {u"開始時刻", RGBColor(255, 128, 64), 1, true},
}};

template <std::size_t N>
void AddSeries(TChart& chart, const std::array<TSeriesLook, N>& looks)
{
    for (const TSeriesLook& look : looks) {
        TChartSeries& series = chart.AddSeries();
        series.SetTitle(QString::fromUtf16(look.Title));
        series.SetSeriesColor(look.Color);
        series.SetLineWidth(look.Width);
        series.SetLineVisible(look.Line);
    }
    // The value axis is set by the screen and the stores; the positions follow the points.
    chart.LeftAxis().SetAutomatic(false);
    chart.LeftAxis().SetMinimum(0.0);
}

void SetListLook(TListView& list)
{
    QFont font(ListFontFamily);
    font.setPixelSize(ListFontPixels);
    font.setStyleHint(QFont::Monospace);
    list.setFont(font);
    list.SetColumnClick(false);
}

// The last pane of a splitter takes what the sized first pane leaves.
void StretchLastPane(QSplitter& splitter)
{
    splitter.setStretchFactor(0, 0);
    splitter.setStretchFactor(1, 1);
}

} // namespace

TfrmData::TfrmData(QWidget* owner) : TForm(owner)
{
    setupUi(this);

    SetMinSize(DataFormMinWidth, DataFormMinHeight);
    imgUnitHeader->LoadFromFile(QStringLiteral(":/data/header_unit.svg"));
    imgAnswerHeader->LoadFromFile(QStringLiteral(":/data/header_question.svg"));
    for (QSplitter* splitter : {SptBase, Splitter1, Splitter2, Splitter4, Splitter3})
        StretchLastPane(*splitter);
    for (TListView* list : {lvAnswerUnit, lvUnitHistory, lvAnswer, lvReply})
        SetListLook(*list);
    lvAnswer->SetStateImages({QIcon(QStringLiteral(":/data/state_empty.svg")),
                              QIcon(QStringLiteral(":/data/state_ticked.svg"))});
    for (int i = 0; i < 2; ++i) {
        auto* panel = new QLabel(StatusBar);
        panel->setFixedWidth(StatusPanelWidth);
        StatusBar->addWidget(panel);
    }

    AddSeries(*chtUnitHistory, HistorySeries);
    AddSeries(*chtReply, ReplySeries);
    chtReply->LeftAxis().SetMaximum(ReplyAxisSeconds);

    pmeUnit = new TPopupMenu(this);
    pmuAnswerUnitLineClear = pmeUnit->AddItem(QStringLiteral("行クリア"));
    pmuAnswerUnitAllClear = pmeUnit->AddItem(QStringLiteral("全クリア"));
    pmeUnit->Attach(lvAnswerUnit);
    pmeAnswer = new TPopupMenu(this);
    pmuLineAnswerClear = pmeAnswer->AddItem(QStringLiteral("回答クリア"));
    pmeAnswer->Attach(lvAnswer);

    KvUserWdwState = new TKvUserWdwState(this);
    KvUserWdwState->setObjectName(QStringLiteral("KvUserWdwState"));
    KvUserWdwState->AutoSaveRestore = true;
    KvUserWdwState->Options = woFitWorkArea;
}

// The window-state component saves the placement while the form's widgets still exist.
TfrmData::~TfrmData()
{
    delete KvUserWdwState;
}

TSpeedButton* TfrmData::UnitButton(const QString& name) const
{
    for (TSpeedButton* button : {sbtnSelectUser, sbtnSelect25, sbtnSelect50, sbtnSelect100})
        if (button->objectName() == name)
            return button;
    return nullptr;
}
