#pragma once
// A form with its window-state component wired as the menu wires it: the record lives in
// Menu.dat in the program folder, read through ReadWdwStateFile (problems go to Vek.Log),
// saved through SaveWdwStateFile.

#include "components/KvUserWdwState.h"
#include "components/KvWdwStateFile.h"
#include "data/UConst.h"
#include "platform/vcl/Form.h"
#include "platform/winapi/WindowPlacement.h"
#include "tests/support/ProgramFolder.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

inline QRect WorkArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

class TStateForm {
public:
    explicit TStateForm(const TempProgramFolder& folder) : path_(folder.FilePath("Menu.dat"))
    {
        Form = std::make_unique<TForm>();
        Form->setObjectName("frmMenu");
        Form->SetBounds(10, 20, 300, 200);
        State = new TKvUserWdwState(Form.get());
        State->setObjectName("KvUserWdwState");
        State->AutoSaveRestore = true;
        State->Options = woFitWorkArea;
        State->OnReadData = [this](QObject*, TKvWdwStateData& data) {
            Events.append("read");
            ReadWdwStateFile(path_, data, WriteLog);
        };
        State->OnSaveData = [this](QObject*, const TKvWdwStateData& data) { SaveWdwStateFile(path_, data); };
        Form->OnShow = [this] { Events.append("show"); };
    }
    ~TStateForm() { Form.reset(); } // saves while the handlers' state is still there

    void Show()
    {
        Form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    }
    QRect Placed() const { return GetWindowPlacement(Form.get()).NormalRect; }

    std::unique_ptr<TForm> Form;
    TKvUserWdwState* State;
    QStringList Events;

private:
    QString path_;
};
