#pragma once
// The learning settings of a category. Each category folder keeps its settings in section
// [設定] of its Control.inf: questions per test unit, the clear time (an index into
// ClearTimes), the passes and the tests after which a question is finished, and whether a
// test asks its questions in random order. One settings object is current, in Setting:
// the do-nothing TSettingNull until a category is opened. Execute shows the settings
// dialog, which lives with the screens (screens/settings/UfrmSetting.h) and reaches this
// layer through SettingDialog.

#include "platform/core/ClassRef.h"

#include <QString>
#include <array>
#include <memory>

// The clear times in seconds: entry i is 0.5 × (i + 1), 0.5 to 9.5.
inline constexpr std::array<double, 19> ClearTimes = {
    0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 3.5, 4.0, 4.5, 5.0,
    5.5, 6.0, 6.5, 7.0, 7.5, 8.0, 8.5, 9.0, 9.5};

class TSetting {
public:
    // Folder (with trailing separator) and the values of its Control.inf [設定]: missing
    // or unreadable values give the defaults, a clear-time index outside 0..18 gives 5,
    // a unit size, pass count or test count below 1 gives its default (10, 5, 10) and a
    // unit size above 1000 gives 1000, with one log line each; the file keeps what it
    // holds until Save.
    explicit TSetting(const QString& folder);
    // Does not save; frees the dialog if one is open.
    virtual ~TSetting();
    TSetting(const TSetting&) = delete;
    TSetting& operator=(const TSetting&) = delete;

    QString Folder;
    int UserUnit = 10;         // questions per user-defined test unit
    int ClearSecondsIndex = 5; // into ClearTimes
    int ClearCount = 5;        // passes after which a question is finished
    int MaxTestCount = 10;     // tests after which a question is finished
    bool RandomOrder = false;  // ask a test's questions in random order
    int DialogResult = 0;      // of the last Execute: 1 accepted with 設定, else 2

    // Writes the five values to [設定] of Folder + Control.inf; raises when it cannot.
    virtual void Save();
    // True when the magnitude of elapsed (days), to the nearest millisecond, is strictly
    // less than the clear time.
    virtual bool IsWithinClearTime(double elapsed) const;
    // The clear time in seconds.
    virtual double GetClearSeconds() const;
    // Shows the settings dialog modally; 1 when the user accepted with 設定 and the values
    // were saved, 2 otherwise (a failed save keeps the values as they were). Without a
    // dialog (the settings screen not started) nothing is shown and the result is 2.
    virtual int Execute();

protected:
    struct TNoFile {};
    TSetting(const QString& folder, TNoFile);
};

// The settings of no folder: every reply is within the clear time, the clear time is 0,
// nothing is read or saved and Execute shows nothing.
class TSettingNull : public TSetting {
public:
    explicit TSettingNull(const QString& folder);
    void Save() override;
    bool IsWithinClearTime(double elapsed) const override;
    double GetClearSeconds() const override;
    int Execute() override;
};

class TSettingClass : public TMetaClass<TSetting, const QString&> {
public:
    // Frees the current Setting, then makes one of this class for the folder; when that
    // fails, Setting becomes a TSettingNull and the error passes on.
    virtual void CreateInstance(const QString& folder) const;
};

// The settings dialog as the settings object reaches it: Show runs it modally for the
// object and returns when it has closed; Free frees it when it is open. Set by the
// settings screen's unit initialisation, empty without it.
struct TSettingDialog {
    void (*Show)(TSetting& setting) = nullptr;
    void (*Free)() = nullptr;
};

inline std::unique_ptr<TSetting> Setting;
inline const TSettingClass* SettingClass = nullptr;
inline const TSettingClass* SettingNullClass = nullptr;
inline TSettingDialog SettingDialog;

// Unit initialisation (the two class references, Setting := a new TSettingNull) and
// finalisation (frees Setting, clears the globals).
void InitializeUSetting();
void FinalizeUSetting();
