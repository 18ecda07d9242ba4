#include "data/USetting.h"

#include "data/UConst.h"
#include "platform/core/Checked.h"
#include "platform/ini/IniFile.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

const QString Section = QStringLiteral("設定");
const QString KeyUserUnit = QStringLiteral("ﾕｰｻﾞ単位");
const QString KeyClearSeconds = QStringLiteral("ｸﾘｱｰ秒");
const QString KeyClearCount = QStringLiteral("ｸﾘｱｰ回数");
const QString KeyMaxTestCount = QStringLiteral("最大ﾃｽﾄ回数");
const QString KeyOrder = QStringLiteral("表示順");

constexpr int DefaultUserUnit = 10;
constexpr int DefaultClearSecondsIndex = 5;
constexpr int DefaultClearCount = 5;
constexpr int DefaultMaxTestCount = 10;
constexpr int MaxUserUnit = 1000;

// The count stored under Key, Default when it is below 1 (no question could be tested
// before it counted as finished, no unit could hold a question) and Max above Max; a value
// taken in place of the stored one is logged. The file keeps what it holds.
int ReadCount(const TIniFile& ini, const QString& key, int byDefault, int max = INT_MAX)
{
    const int stored = ini.ReadInteger(Section, key, byDefault);
    const int value = stored < 1 ? byDefault : std::min(stored, max);
    if (value != stored)
        WriteLog(QStringLiteral("TSetting.Create"),
                 QStringLiteral("%1 [%2] %3=%4 is out of range; %5 is used")
                     .arg(ini.FileName(), Section, key)
                     .arg(stored)
                     .arg(value));
    return value;
}

} // namespace

TSetting::TSetting(const QString& folder) : Folder(folder)
{
    const TIniFile ini = ControlInf(Folder);
    UserUnit = ReadCount(ini, KeyUserUnit, DefaultUserUnit, MaxUserUnit);
    ClearSecondsIndex = ini.ReadInteger(Section, KeyClearSeconds, DefaultClearSecondsIndex);
    if (ClearSecondsIndex < 0 || ClearSecondsIndex >= static_cast<int>(ClearTimes.size()))
        ClearSecondsIndex = DefaultClearSecondsIndex;
    ClearCount = ReadCount(ini, KeyClearCount, DefaultClearCount);
    MaxTestCount = ReadCount(ini, KeyMaxTestCount, DefaultMaxTestCount);
    RandomOrder = ini.ReadInteger(Section, KeyOrder, 0) != 0;
}

TSetting::TSetting(const QString& folder, TNoFile)
    : Folder(folder), UserUnit(0), ClearSecondsIndex(0), ClearCount(0), MaxTestCount(0)
{
}

TSetting::~TSetting()
{
    if (SettingDialog.Free)
        SettingDialog.Free();
}

void TSetting::Save()
{
    TIniFile ini = ControlInf(Folder);
    ini.WriteInteger(Section, KeyUserUnit, UserUnit);
    ini.WriteInteger(Section, KeyClearSeconds, ClearSecondsIndex);
    ini.WriteInteger(Section, KeyClearCount, ClearCount);
    ini.WriteInteger(Section, KeyMaxTestCount, MaxTestCount);
    ini.WriteBool(Section, KeyOrder, RandomOrder);
}

bool TSetting::IsWithinClearTime(double elapsed) const
{
    // Compared in whole milliseconds, so that exactly the clear time does not pass
    // whatever the rounding of the seconds; the whole duration counts, minutes included.
    const double elapsedMs = std::round(std::fabs(elapsed) * 86'400'000.0);
    const double clearMs = std::round(GetClearSeconds() * 1000.0);
    return clearMs > elapsedMs;
}

double TSetting::GetClearSeconds() const
{
    return CheckedAt(ClearTimes, ClearSecondsIndex);
}

int TSetting::Execute()
{
    DialogResult = 2;
    if (SettingDialog.Show)
        SettingDialog.Show(*this);
    return DialogResult;
}

TSettingNull::TSettingNull(const QString&) : TSetting(QString(), TNoFile{}) {}

void TSettingNull::Save() {}

bool TSettingNull::IsWithinClearTime(double) const
{
    return true;
}

double TSettingNull::GetClearSeconds() const
{
    return 0.0;
}

int TSettingNull::Execute()
{
    return 2;
}

void TSettingClass::CreateInstance(const QString& folder) const
{
    Setting.reset();
    try {
        Setting = Create(folder);
    } catch (...) {
        // Setting always holds an object; the error passes on.
        Setting = SettingNullClass->Create(QString());
        throw;
    }
}

void InitializeUSetting()
{
    SettingClass = ClassOf<TSetting, TSettingClass>();
    SettingNullClass = ClassOf<TSettingNull, TSettingClass>();
    Setting = SettingNullClass->Create(QString());
}

void FinalizeUSetting()
{
    Setting.reset();
    SettingClass = SettingNullClass = nullptr;
}
