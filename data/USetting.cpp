#include "data/USetting.h"

#include "platform/core/Checked.h"
#include "platform/ini/IniFile.h"

#include <cmath>

namespace {

const QString Section = QStringLiteral("設定");
const QString KeyUserUnit = QStringLiteral("ﾕｰｻﾞ単位");
const QString KeyClearSeconds = QStringLiteral("ｸﾘｱｰ秒");
const QString KeyClearCount = QStringLiteral("ｸﾘｱｰ回数");
const QString KeyMaxTestCount = QStringLiteral("最大ﾃｽﾄ回数");
const QString KeyOrder = QStringLiteral("表示順");

constexpr int DefaultClearSecondsIndex = 5;

TIniFile ControlInf(const QString& folder)
{
    return TIniFile(folder + QStringLiteral("Control.inf"));
}

} // namespace

TSetting::TSetting(const QString& folder) : Folder(folder)
{
    const TIniFile ini = ControlInf(Folder);
    UserUnit = ini.ReadInteger(Section, KeyUserUnit, 10);
    ClearSecondsIndex = ini.ReadInteger(Section, KeyClearSeconds, DefaultClearSecondsIndex);
    if (ClearSecondsIndex < 0 || ClearSecondsIndex >= static_cast<int>(ClearTimes.size()))
        ClearSecondsIndex = DefaultClearSecondsIndex;
    ClearCount = ini.ReadInteger(Section, KeyClearCount, 5);
    MaxTestCount = ini.ReadInteger(Section, KeyMaxTestCount, 10);
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
