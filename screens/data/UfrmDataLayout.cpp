// The data screen's layout: panel sizes kept in Control.inf [位置], proportional resizing,
// the bottom buttons of the menu column, the default placement, the window state kept in
// Form.dat, the keys, and everything that is saved when the screen closes.
#include "screens/data/UfrmData.h"

#include "data/UConst.h"
#include "data_views/UConstDisplay.h"
#include "platform/files/Files.h"
#include "platform/text/Convert.h"
#include "platform/text/Trim.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/ComboBox.h"
#include "platform/vcl/ListView.h"
#include "platform/vcl/SpeedButton.h"
#include "platform/winapi/WindowPlacement.h"
#include "screens/data/UfrmDataIni.h"

#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>
#include <exception>

using namespace DataScreenIni;

namespace {

const QString FormStateFile = QStringLiteral("Form.dat");
// The default placement: client size at the top-left corner of the screen.
constexpr int DefaultClientWidth = 800;
constexpr int DefaultClientHeight = 600;
// Distances of the bottom buttons' tops from the menu column's bottom edge.
constexpr int SettingFromBottom = 120;
constexpr int ShowSettingFromBottom = 80;
constexpr int CloseFromBottom = 40;

int PaneSize(const QSplitter& splitter)
{
    const QList<int> sizes = splitter.sizes();
    return sizes.isEmpty() ? 0 : sizes.front();
}

// The first pane of the splitter gets the size; the second takes the rest.
void SetPaneSize(QSplitter& splitter, int size)
{
    const int total = splitter.orientation() == Qt::Vertical ? splitter.height() : splitter.width();
    splitter.setSizes({size, std::max(0, total - splitter.handleWidth() - size)});
}

// A stored size; a negative one, or one beyond the screen, is taken as the default.
int ReadSize(const TIniFile& ini, const QString& key, int def, int screenExtent)
{
    const int size = ini.ReadInteger(PositionSection, key, def);
    return size < 0 || size > screenExtent ? def : size;
}

// size × to ÷ from, rounded up, in 64 bits.
int Scaled(qint64 size, qint64 to, qint64 from)
{
    if (from <= 0 || size <= 0)
        return static_cast<int>(std::max<qint64>(size, 0));
    return static_cast<int>(std::min<qint64>((size * to + from - 1) / from, INT_MAX));
}

QRect ScreenOf(const QWidget& widget)
{
    QScreen* screen = widget.screen() ? widget.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, INT_MAX, INT_MAX);
}

// True when the rectangle shares some area with a screen (in 64 bits: the record may
// hold any values).
bool OnSomeScreen(const TKvWdwStateData& data)
{
    const qint64 left = data.Left, top = data.Top;
    const qint64 right = left + data.Width, bottom = top + data.Height;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect g = screen->geometry();
        if (left < qint64(g.x()) + g.width() && right > g.x() && top < qint64(g.y()) + g.height() &&
            bottom > g.y())
            return true;
    }
    return false;
}

// Runs one step of the closing; a failure is logged and the closing goes on.
template <class F>
void CloseStep(F&& step)
{
    try {
        step();
    } catch (...) {
        Application().HandleException(std::current_exception());
    }
}

} // namespace

void TfrmDataControl::FormPaint()
{
    if (Shown)
        return;
    Shown = true;
    LoadLayout();
}

void TfrmDataControl::LoadLayout()
{
    TfrmData& form = *frmData;
    const TIniFile ini = ControlInf(Folder);
    const QRect screen = ScreenOf(form);
    SetPaneSize(*form.SptBase, ReadSize(ini, KeyTopHeight, DefaultTopHeight, screen.height()));
    SetPaneSize(*form.Splitter1, ReadSize(ini, KeyTopWidth, DefaultTopWidth, screen.width()));
    SetPaneSize(*form.Splitter2,
                ReadSize(ini, KeyTopChartHeight, DefaultTopChartHeight, screen.height()));
    SetPaneSize(*form.Splitter4, ReadSize(ini, KeyAnswerWidth, DefaultAnswerWidth, screen.width()));
    SetPaneSize(*form.Splitter3, ReadSize(ini, KeyAnswerHeight, DefaultAnswerHeight, screen.height()));
    ForgetSizingBase();

    TListView& units = *form.lvAnswerUnit;
    if (units.ItemCount() == 0)
        return;
    // A position past the last unit (the list got shorter) selects the first one.
    int index = ini.ReadInteger(UnitSection, KeyUnitIndex, 0);
    if (index < 0 || index >= units.ItemCount())
        index = 0;
    // A row selected already reports no change; giving it the focus counts as one.
    const bool selectedBefore = units.IsItemSelected(index);
    units.SetItemIndex(index);
    if (selectedBefore && units.OnChange)
        units.OnChange(units, units.Item(index));
    if (units.ItemIndex() < 0)
        return;
    UnitNo = StrToIntDef(Trim(units.Item(units.ItemIndex()).Caption), UnitNo);
    units.SetItemFocused(index);
    units.MakeVisible(index);
    units.setFocus();
}

void TfrmDataControl::FormCanResize(int& newWidth, int& newHeight, bool&)
{
    TfrmData& form = *frmData;
    if (!sizingBase_)
        sizingBase_ = TSizingBase{form.Width(), form.Height(), form.TabTop->height(),
                                  form.pnlTopRight->height(), form.pnlBottonRight->height(),
                                  form.pnlUnitList->width(), form.pnlAnswerList->width()};
    const TSizingBase& base = *sizingBase_;
    const qint64 height = std::max(newHeight, DataFormMinHeight);
    const qint64 width = std::max(newWidth, DataFormMinWidth);
    SetPaneSize(*form.SptBase, Scaled(base.TopHeight, height, base.FormHeight));
    SetPaneSize(*form.Splitter2, Scaled(base.TopChartHeight, height, base.FormHeight));
    SetPaneSize(*form.Splitter3, Scaled(base.AnswerHeight, height, base.FormHeight));
    SetPaneSize(*form.Splitter1, Scaled(base.TopWidth, width, base.FormWidth));
    SetPaneSize(*form.Splitter4, Scaled(base.AnswerWidth, width, base.FormWidth));
}

void TfrmDataControl::FormResize()
{
    TfrmData& form = *frmData;
    const int h = form.pnlMenu->height();
    form.sbtnSetting->move(form.sbtnSetting->x(), h - SettingFromBottom);
    form.sbtnShowSetting->move(form.sbtnShowSetting->x(), h - ShowSettingFromBottom);
    form.sbtnClose->move(form.sbtnClose->x(), h - CloseFromBottom);
}

void TfrmDataControl::sbtnShowSettingClick()
{
    TfrmData& form = *frmData;
    SetWindowShowState(&form, wsNormal);
    form.SetTop(0);
    form.SetLeft(0);
    form.SetClientHeight(DefaultClientHeight);
    form.SetClientWidth(DefaultClientWidth);
}

void TfrmDataControl::KvUserWdwStateReadData(QObject*, TKvWdwStateData& data)
{
    WindowStateRead = false;
    const QString path = Folder + FormStateFile;
    if (!FileExists(path))
        return;
    const std::optional<TKvWdwStateData> saved = TKvWdwStateData::FromBytes(ReadFileBytes(path));
    if (!saved) {
        WriteLog(QStringLiteral("TfrmDataControl.KvUserWdwStateReadData"),
                 QStringLiteral("%1 is shorter than %2 bytes; the screen opens at its default "
                                "placement")
                     .arg(path)
                     .arg(TKvWdwStateData::Size));
        return;
    }
    // A record of no size, or of a place no screen shows, leaves the default placement.
    if (saved->Width <= 0 || saved->Height <= 0 || !OnSomeScreen(*saved))
        return;
    data = *saved;
    WindowStateRead = true;
}

void TfrmDataControl::KvUserWdwStateSaveData(QObject*, const TKvWdwStateData& data)
{
    // A category that could not be read keeps its files as they are.
    if (!modelOpen_ || data.Width <= 0 || data.Height <= 0)
        return;
    WriteFileAtomic(Folder + FormStateFile, data.ToBytes());
}

void TfrmDataControl::FormKeyDown(TKey& key, TShiftState)
{
    if (key == VK_RETURN)
        sbtnStartTestClick();
    else if (key == VK_ESCAPE)
        frmData->Close();
}

void TfrmDataControl::sbtnCloseClick()
{
    frmData->Close();
}

void TfrmDataControl::FormClose(TForm::TCloseAction&)
{
    TfrmData& form = *frmData;
    CloseStep([&] {
        for (auto [list, rows] : {std::pair{form.lvAnswerUnit, &UnitRows}, {form.lvAnswer, &AnswerRows},
                                  {form.lvUnitHistory, &UnitHistoryRows}, {form.lvReply, &ReplyRows}})
            if (*rows)
                ClearListViewObjects(*list, **rows);
    });
    UnitRows.reset();
    AnswerRows.reset();
    UnitHistoryRows.reset();
    ReplyRows.reset();
    DetachChangeHandlers();
    if (!modelOpen_)
        return; // a category that could not be read leaves its files as they are
    CloseStep([&] { SaveColumnWidths(); });
    if (Tested)
        CloseStep([&] { CountCategorySelection(CategoryKeyName(Folder)); });
    CloseStep([&] { SaveLayout(); });
}

void TfrmDataControl::SaveLayout()
{
    TfrmData& form = *frmData;
    TIniFile ini = ControlInf(Folder);
    ini.WriteInteger(PositionSection, KeyTopHeight, PaneSize(*form.SptBase));
    ini.WriteInteger(PositionSection, KeyTopWidth, PaneSize(*form.Splitter1));
    ini.WriteInteger(PositionSection, KeyTopChartHeight, PaneSize(*form.Splitter2));
    ini.WriteInteger(PositionSection, KeyAnswerWidth, PaneSize(*form.Splitter4));
    ini.WriteInteger(PositionSection, KeyAnswerHeight, PaneSize(*form.Splitter3));
    ini.WriteInteger(UnitSection, KeyUnitSize, UnitSize);
    ini.WriteString(UnitSection, KeyButtonName, UnitButtonName);
    ini.WriteInteger(UnitSection, KeyUnitIndex, UnitNo - 1);
}
