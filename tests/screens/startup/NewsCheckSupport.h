#pragma once
// Shared by the news-check tests: a fresh program folder, a real HTTP server on
// 127.0.0.1 whose address Menu.inf [Server] File names, the start-up units, and a record
// of what the user sees in order: the dialog's steps as painted, the notices (each
// answered with "O K"), the update question and the address opened.

#include "data/Version.h"
#include "shell/ProgramUnits.h"
#include "platform/text/Ansi.h"
#include "platform/vcl/Dialogs.h"
#include "platform/winapi/ShellOpen.h"
#include "screens/startup/UfrmInfo.h"
#include "screens/startup/UfrmUpdate.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/QtPrinters.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>

// The dialog with short time-outs, so that tests of silent servers end soon.
class TQuickUpdateForm : public TfrmUpdate {
public:
    explicit TQuickUpdateForm(QWidget* owner) : TfrmUpdate(owner) { IdHTTP.Timeouts = {500, 1500}; }
};

class NewsCheck : public testing::Test, public QObject {
protected:
    // The units the check needs; a fixture of a larger screen passes its own list.
    explicit NewsCheck(std::vector<TUnit> units = ProgramUnits({"Version", "UfrmInfo", "UfrmUpdate"}));
    ~NewsCheck() override;

    // Menu.inf [Server] File := the server's folder "/news/".
    void PointAtServer() const;
    void WriteMenuInf(const QString& text) const;
    // Serves the CP932 text at the path below the server's root.
    void Serve(const QByteArray& path, const QString& text);
    QString Url(const QByteArray& path) const;

    // Runs the whole check as the start-up does.
    void Execute();

    // The record since the last Execute: "step <text> <position>", "notice <text>",
    // "question <text>", "open <address>".
    QStringList Events;
    // The steps only.
    QStringList Steps() const;
    // The lines of Vek.Log without time stamp and address: "<place>.<message>".
    QStringList LogLines() const;
    // Every file below the program folder, relative, sorted.
    QStringList Files() const;

    TModalResult Answer = mrYes;
    TempProgramFolder Folder;
    TLocalHttpServer Server;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AnswerNotice();

    TUnits units_;
    QTimer noticeDriver_;
    QPointer<QWidget> answered_;
    TDialogAnswerer previousAnswerer_;
};
