// A menu whose category store cannot be made says so, logs the cause and does not open,
// so that no selection, column widths, page or placement of an empty list is saved.
#include "MenuTestSupport.h"

#include "platform/core/Exception.h"
#include "platform/vcl/Dialogs.h"

namespace {

// The category store as it fails when the program folder cannot be read.
class TUnreadableCategoryControl : public TCategoryControl {
public:
    TUnreadableCategoryControl() { throw Exception(QStringLiteral("Cannot read the program folder")); }
};

} // namespace

TEST_F(MenuScreen, AStoreThatCannotBeMadeKeepsTheMenuClosedAndSavesNothing)
{
    WriteCategoryFolder(program_, QStringLiteral("VEKAlpha"), 3);
    Run([](TfrmMenu& form) { form.Close(); }); // writes Menu.inf and Menu.dat
    const QByteArray menuInf = program_.Read(QStringLiteral("Menu.inf"));
    const QByteArray menuDat = program_.Read(QStringLiteral("Menu.dat"));

    QStringList asked;
    SetDialogAnswerer([&](const TDialogQuestion& question) {
        asked << question.Text;
        return mrOk;
    });
    const TCategoryControlClass* real = CategoryControlClass;
    CategoryControlClass = ClassOf<TUnreadableCategoryControl, TCategoryControlClass>();
    QTimer watchdog; // should the menu open, the test still ends
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        if (frmMenu)
            frmMenu->SetModalResult(mrAbort);
    });
    watchdog.start(5000);
    MenuControlClass->Execute();
    EXPECT_TRUE(watchdog.isActive()); // it never ran
    CategoryControlClass = real;
    SetDialogAnswerer({});

    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].startsWith(QStringLiteral("カテゴリーの一覧を読み込めないため、この画面を閉じます。")));
    const QStringList log = ReadLogLines(program_);
    EXPECT_EQ(log.filter(QStringLiteral("TfrmMenuControl.FormCreate")).size(), 1) << log.join('\n').toStdString();
    EXPECT_TRUE(log.join('\n').contains(QStringLiteral("Cannot read the program folder")));
    EXPECT_EQ(program_.Read(QStringLiteral("Menu.inf")), menuInf);
    EXPECT_EQ(program_.Read(QStringLiteral("Menu.dat")), menuDat);
    EXPECT_FALSE(QFile::exists(program_.FilePath(QStringLiteral("VEKAlpha/Control.inf"))));
}
