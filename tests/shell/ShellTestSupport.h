#pragma once
// Shared by the program tests: a fresh program folder, a runtime folder of its own for
// the single-instance guard, a real HTTP server for the news check, and a user who acts
// on the program's windows through input events once they are on screen.

#include "platform/text/Ansi.h"
#include "platform/vcl/ListView.h"
#include "tests/support/CategoryFolder.h"
#include "platform/vcl/SpeedButton.h"
#include "screens/menu/UfrmMenu.h"
#include "screens/startup/UfrmDummyMain.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/QtPrinters.h"

#include <QApplication>
#include <QPointer>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

class ProgramRun : public testing::Test {
protected:
    ProgramRun() : previousRuntime_(qgetenv("XDG_RUNTIME_DIR"))
    {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(Runtime.path()));
        // The help pages as the build laid them out, so that the menu's guide page shows.
        Folder.CopyFiles(QStringLiteral(MORIVA_PROGRAM_DIR "/help"), QStringLiteral("help"));
    }
    ~ProgramRun() override { qputenv("XDG_RUNTIME_DIR", previousRuntime_); }

    // Runs step once, when the window that window() gives is the one the user works in
    // (the active modal window) and on screen. A step may open further modal windows;
    // the other steps still run inside their loops.
    void WhenActive(std::function<QWidget*()> window, std::function<void()> step)
    {
        auto& poll = polls_.emplace_back(std::make_unique<QTimer>());
        QTimer* timer = poll.get();
        QObject::connect(timer, &QTimer::timeout, [timer, window, step] {
            QWidget* shown = window();
            if (!shown || !shown->isVisible() || QApplication::activeModalWidget() != shown)
                return;
            timer->stop();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(shown));
            step();
        });
        timer->start(20);
    }
    static QWidget* Menu() { return frmMenu.get(); }
    // The menu's rows, "caption,caption...".
    static QString MenuRows()
    {
        QStringList rows;
        for (int i = 0; i < frmMenu->lvCategory->ItemCount(); ++i)
            rows << frmMenu->lvCategory->Item(i).Caption;
        return rows.join(u',');
    }
    // Once the menu is up: notes "menu <rows> after <n> requests" and, when the main
    // window closes, "main window closed"; then closes the menu with Esc.
    void CloseMenuWhenShown()
    {
        WhenActive(Menu, [this] {
            Events << QStringLiteral("menu %1 after %2 requests").arg(MenuRows()).arg(Server.RequestCount());
            NoteMainWindowClosing();
            QTest::keyClick(frmMenu->lvCategory->viewport(), Qt::Key_Escape);
        });
    }
    void NoteMainWindowClosing()
    {
        ASSERT_TRUE(frmDummyMain);
        EXPECT_FALSE(frmDummyMain->isVisible());
        QObject::connect(frmDummyMain.get(), &TfrmDummyMain::Closed,
                         [this] { Events << QStringLiteral("main window closed"); });
    }

    // What the user saw, in order.
    QStringList Events;

    // Beside the good category "Good" (3 questions), one category per kind of damage:
    // "BadAnswer" (Answer.cds cut in half), "EmptyQuestion" (Question.cds of 0 bytes),
    // "BadControl" (Control.inf of bytes that are not CP932 text and lines of 1 MB) and
    // "BadSubset" (a subset file of random bytes).
    void WriteDamagedCategories() const
    {
        QRandomGenerator random(20261209);
        const auto randomBytes = [&random](qsizetype size) {
            QByteArray bytes(size, '\0');
            for (char& byte : bytes)
                byte = char(random.bounded(256));
            return bytes;
        };
        for (const char* name : {"VEKGood", "VEKBadAnswer", "VEKEmptyQuestion", "VEKBadControl", "VEKBadSubset"})
            WriteCategoryFolder(Folder, QString::fromLatin1(name), 3);
        const QByteArray answers = Folder.Read(QStringLiteral("VEKBadAnswer/Answer.cds"));
        Folder.Write(QStringLiteral("VEKBadAnswer/Answer.cds"), answers.left(answers.size() / 2));
        Folder.Write(QStringLiteral("VEKEmptyQuestion/Question.cds"), {});
        QByteArray control = QByteArray("[\x81\xFF\xA0]\r\n\x82=\xFD\xFE\r\n")
                           + EncodeAnsi(QStringLiteral("[単位]\r\n単位数="));
        control += QByteArray(1 << 20, '9') + "\r\n" + QByteArray(1 << 20, '\x88') + "\r\n";
        Folder.Write(QStringLiteral("VEKBadControl/Control.inf"), control);
        Folder.Write(QStringLiteral("VEKBadSubset/復習.sub"), randomBytes(4096));
    }

    QString Url(const QByteArray& path) const
    {
        return QStringLiteral("http://") + Server.Address(QString::fromLatin1(path));
    }
    // Menu.inf [Server] File := the server's folder "/news/".
    void PointAtServer() const
    {
        Folder.Write(QStringLiteral("Menu.inf"),
                     EncodeAnsi(QStringLiteral("[Server]\r\nFile=") + Url("/news/") + QStringLiteral("\r\n")));
    }
    void Serve(const QByteArray& path, const QString& text, int delayMs = 0)
    {
        Server.Route(path, {200, EncodeAnsi(text), false, delayMs});
    }
    // The lines of Vek.Log without time stamp and address: "<place>.<message>".
    QStringList LogLines() const
    {
        if (!QFile::exists(Folder.FilePath(QStringLiteral("Vek.Log"))))
            return {};
        static const QRegularExpression stamp(
            QStringLiteral("^\\[[^\\]]*\\]Moriva\\.exe Version:\\S* Address:\\$\\w{8} "));
        QStringList lines = DecodeAnsi(Folder.Read(QStringLiteral("Vek.Log"))).split(QStringLiteral("\r\n"));
        lines.removeLast();
        for (QString& line : lines)
            line.remove(stamp);
        return lines;
    }

    TempProgramFolder Folder;
    QTemporaryDir Runtime;
    TLocalHttpServer Server;

private:
    QByteArray previousRuntime_;
    std::vector<std::unique_ptr<QTimer>> polls_;
};
