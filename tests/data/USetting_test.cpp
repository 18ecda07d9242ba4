// Learning settings read from and written to Control.inf [設定], and the pass test.
#include "SettingTestSupport.h"

#include "platform/ini/IniFile.h"

#include <QFile>
#include <QFileInfo>
#include <QWidget>
#include <QApplication>

namespace {

constexpr double MsPerDay = 86'400'000.0;

using Settings = SettingFolder;

} // namespace

TEST_F(Settings, WithoutControlInfTheDefaultsHold)
{
    Open();
    ASSERT_EQ(typeid(*Setting), typeid(TSetting));
    EXPECT_EQ(Setting->Folder, Folder());
    EXPECT_EQ(Setting->UserUnit, 10);
    EXPECT_EQ(Setting->ClearSecondsIndex, 5);
    EXPECT_DOUBLE_EQ(Setting->GetClearSeconds(), 3.0);
    EXPECT_EQ(Setting->ClearCount, 5);
    EXPECT_EQ(Setting->MaxTestCount, 10);
    EXPECT_FALSE(Setting->RandomOrder);
    EXPECT_FALSE(QFileInfo::exists(Folder() + QStringLiteral("Control.inf")));
}

TEST_F(Settings, TheValuesOfTheFileAreReadByTheirExactKeys)
{
    WriteControlInf("[単位]\r\nﾕｰｻﾞ単位=99\r\n"
                    "[設定]\r\nﾕｰｻﾞ単位=25\r\nｸﾘｱｰ秒=0\r\nｸﾘｱｰ回数=0x0A\r\n最大ﾃｽﾄ回数=$14\r\n"
                    "表示順=2\r\n");
    Open();
    EXPECT_EQ(Setting->UserUnit, 25);
    EXPECT_DOUBLE_EQ(Setting->GetClearSeconds(), 0.5);
    EXPECT_EQ(Setting->ClearCount, 10);
    EXPECT_EQ(Setting->MaxTestCount, 20);
    EXPECT_TRUE(Setting->RandomOrder);

    // Full-width katakana is another key.
    WriteControlInf("[設定]\r\nユーザ単位=25\r\nクリアー秒=7\r\n");
    Open();
    EXPECT_EQ(Setting->UserUnit, 10);
    EXPECT_EQ(Setting->ClearSecondsIndex, 5);
}

TEST_F(Settings, TheClearTimeIndexIsHeldInItsRangeAndLargeCountsAreKept)
{
    struct Case {
        const char* Line;
        int Index;
    } cases[] = {{"ｸﾘｱｰ秒=19", 5}, {"ｸﾘｱｰ秒=-1", 5}, {"ｸﾘｱｰ秒=18", 18},
                 {"ｸﾘｱｰ秒=0", 0},  {"ｸﾘｱｰ秒=x", 5},  {"ｸﾘｱｰ秒=", 5}};
    for (const Case& c : cases) {
        WriteControlInf((std::string("[設定]\r\n") + c.Line + "\r\n").c_str());
        Open();
        EXPECT_EQ(Setting->ClearSecondsIndex, c.Index) << c.Line;
    }
    EXPECT_DOUBLE_EQ(ClearTimes[18], 9.5);

    WriteControlInf("[設定]\r\nﾕｰｻﾞ単位=1\r\nｸﾘｱｰ回数=5000\r\n最大ﾃｽﾄ回数=3\r\n表示順=abc\r\n");
    Open();
    EXPECT_EQ(Setting->UserUnit, 1);
    EXPECT_EQ(Setting->ClearCount, 5000);
    EXPECT_EQ(Setting->MaxTestCount, 3);
    EXPECT_FALSE(Setting->RandomOrder);
}

TEST_F(Settings, CountsBelowOneAreTheirDefaultsAndTheUnitSizeIsAtMostAThousand)
{
    struct Case {
        const char* Lines;
        int UserUnit, ClearCount, MaxTestCount, Logged;
    } cases[] = {
        {"ﾕｰｻﾞ単位=0\r\nｸﾘｱｰ回数=0\r\n最大ﾃｽﾄ回数=0\r\n", 10, 5, 10, 3},
        {"ﾕｰｻﾞ単位=-2147483648\r\nｸﾘｱｰ回数=-1\r\n最大ﾃｽﾄ回数=-7\r\n", 10, 5, 10, 3},
        {"ﾕｰｻﾞ単位=2147483647\r\n", 1000, 5, 10, 1},
        {"ﾕｰｻﾞ単位=1001\r\n", 1000, 5, 10, 1},
        {"ﾕｰｻﾞ単位=1000\r\nｸﾘｱｰ回数=1\r\n最大ﾃｽﾄ回数=1\r\n", 1000, 1, 1, 0},
        {"ﾕｰｻﾞ単位=1\r\nｸﾘｱｰ回数=2147483647\r\n", 1, 2147483647, 10, 0},
    };
    for (const Case& c : cases) {
        const std::string text = std::string("[設定]\r\n") + c.Lines;
        WriteControlInf(text.c_str());
        QFile::remove(program_.FilePath(QStringLiteral("Vek.Log")));
        Open();
        EXPECT_EQ(Setting->UserUnit, c.UserUnit) << c.Lines;
        EXPECT_EQ(Setting->ClearCount, c.ClearCount) << c.Lines;
        EXPECT_EQ(Setting->MaxTestCount, c.MaxTestCount) << c.Lines;
        const QString log = QFile::exists(program_.FilePath(QStringLiteral("Vek.Log")))
            ? DecodeAnsi(program_.Read(QStringLiteral("Vek.Log")))
            : QString();
        EXPECT_EQ(log.count(QStringLiteral("\r\n")), c.Logged) << log.toStdString();
        // Reading changes nothing in the file.
        EXPECT_EQ(ControlInfBytes(), EncodeAnsi(QString::fromUtf8(text.c_str()))) << c.Lines;
    }

    // What the dialog saves is what was used.
    WriteControlInf("[設定]\r\nﾕｰｻﾞ単位=0\r\nｸﾘｱｰ回数=0\r\n最大ﾃｽﾄ回数=-3\r\n");
    Open();
    Setting->Save();
    EXPECT_EQ(ControlInf(), QStringLiteral("[設定]\r\nﾕｰｻﾞ単位=10\r\nｸﾘｱｰ回数=5\r\n最大ﾃｽﾄ回数=10\r\n"
                                           "ｸﾘｱｰ秒=5\r\n表示順=0\r\n"));
}

TEST_F(Settings, SaveWritesTheFiveKeysInOrderAndLeavesTheRestOfTheFile)
{
    Open();
    Setting->UserUnit = 7;
    Setting->RandomOrder = true;
    Setting->Save();
    EXPECT_EQ(ControlInfBytes(),
              EncodeAnsi(QStringLiteral("[設定]\r\nﾕｰｻﾞ単位=7\r\nｸﾘｱｰ秒=5\r\nｸﾘｱｰ回数=5\r\n"
                                        "最大ﾃｽﾄ回数=10\r\n表示順=1\r\n")));

    WriteControlInf("[位置]\r\nLeft=3\r\n[設定]\r\n表示順=1\r\nother=x\r\n[単位]\r\nA=1\r\n");
    Open();
    Setting->RandomOrder = false;
    Setting->Save();
    EXPECT_EQ(ControlInf(),
              QStringLiteral("[位置]\r\nLeft=3\r\n[設定]\r\n表示順=0\r\nother=x\r\nﾕｰｻﾞ単位=10\r\n"
                             "ｸﾘｱｰ秒=5\r\nｸﾘｱｰ回数=5\r\n最大ﾃｽﾄ回数=10\r\n[単位]\r\nA=1\r\n"));
}

TEST_F(Settings, AReplyPassesOnlyWhenStrictlyFasterThanTheClearTime)
{
    Open();
    ASSERT_DOUBLE_EQ(Setting->GetClearSeconds(), 3.0);
    EXPECT_FALSE(Setting->IsWithinClearTime(-0.000034722)); // 2.99998 s, taken as 3.000 s
    EXPECT_FALSE(Setting->IsWithinClearTime(3000 / MsPerDay));
    EXPECT_TRUE(Setting->IsWithinClearTime(2999 / MsPerDay));
    EXPECT_TRUE(Setting->IsWithinClearTime(-2999 / MsPerDay));
    EXPECT_TRUE(Setting->IsWithinClearTime(2999.4 / MsPerDay));
    EXPECT_FALSE(Setting->IsWithinClearTime(2999.6 / MsPerDay));
    EXPECT_TRUE(Setting->IsWithinClearTime(0.0));
    // A minute or more never passes, whatever the seconds above the whole minutes.
    EXPECT_FALSE(Setting->IsWithinClearTime(61'000 / MsPerDay));
    EXPECT_FALSE(Setting->IsWithinClearTime(-(60'000 + 500) / MsPerDay));

    Setting->ClearSecondsIndex = 0;
    EXPECT_TRUE(Setting->IsWithinClearTime(499 / MsPerDay));
    EXPECT_FALSE(Setting->IsWithinClearTime(500 / MsPerDay));
}

TEST_F(Settings, BeforeAnyCategoryTheNullSettingsAnswerNeutrally)
{
    ASSERT_EQ(typeid(*Setting), typeid(TSettingNull));
    EXPECT_EQ(Setting->Folder, QString());
    EXPECT_EQ(Setting->UserUnit, 0);
    EXPECT_EQ(Setting->MaxTestCount, 0);
    EXPECT_DOUBLE_EQ(Setting->GetClearSeconds(), 0.0);
    for (double elapsed : {0.0, 1.0, -1.0, 1e9})
        EXPECT_TRUE(Setting->IsWithinClearTime(elapsed));

    const int windows = QApplication::topLevelWidgets().size();
    EXPECT_EQ(Setting->Execute(), 2);
    EXPECT_FALSE(frmSetting);
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windows);
    Setting->Save();
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("Control.inf")));
}

TEST_F(Settings, CreateInstanceMakesAnObjectOfTheClassInUse)
{
    class TFixedSetting : public TSetting {
    public:
        using TSetting::TSetting;
        double GetClearSeconds() const override { return 1.25; }
    };
    SettingClass = ClassOf<TFixedSetting, TSettingClass>();
    Open();
    EXPECT_EQ(typeid(*Setting), typeid(TFixedSetting));
    EXPECT_TRUE(Setting->IsWithinClearTime(1249 / MsPerDay));
    EXPECT_FALSE(Setting->IsWithinClearTime(1250 / MsPerDay));
}
