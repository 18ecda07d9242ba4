#include "NewsCheckSupport.h"

#include "platform/vcl/Button.h"
#include "platform/vcl/Memo.h"

#include <QApplication>
#include <QDirIterator>
#include <QLabel>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTest>

NewsCheck::NewsCheck(std::vector<TUnit> units)
    : units_(std::move(units))
{
    AppVersion.VersionString = QStringLiteral("2.0.0.0");
    UpdateFormClass = ClassOf<TQuickUpdateForm, TfrmUpdateClass>();
    previousAnswerer_ = SetDialogAnswerer([this](const TDialogQuestion& question) {
        Events << QStringLiteral("question ") + question.Text;
        return Answer;
    });
    SetUrlOpener([this](const QString& url) {
        Events << QStringLiteral("open ") + url;
        return true;
    });
    qApp->installEventFilter(this);
    QObject::connect(&noticeDriver_, &QTimer::timeout, [this] { AnswerNotice(); });
    noticeDriver_.start(10);
}

NewsCheck::~NewsCheck()
{
    qApp->removeEventFilter(this);
    SetUrlOpener({});
    SetDialogAnswerer(previousAnswerer_);
}

void NewsCheck::PointAtServer() const
{
    WriteMenuInf(QStringLiteral("[Server]\r\nFile=") + Url("/news/") + QStringLiteral("\r\n"));
}

void NewsCheck::WriteMenuInf(const QString& text) const
{
    Folder.Write(QStringLiteral("Menu.inf"), EncodeAnsi(text));
}

void NewsCheck::Serve(const QByteArray& path, const QString& text)
{
    Server.Route(path, {200, EncodeAnsi(text)});
}

QString NewsCheck::Url(const QByteArray& path) const
{
    return QStringLiteral("http://") + Server.Address(QString::fromLatin1(path));
}

void NewsCheck::Execute()
{
    Events.clear();
    UpdateControlClass->Execute();
    EXPECT_FALSE(frmUpdate);
}

QStringList NewsCheck::Steps() const
{
    return Events.filter(QRegularExpression(QStringLiteral("^step ")));
}

QStringList NewsCheck::LogLines() const
{
    if (!QFile::exists(Folder.FilePath(QStringLiteral("Vek.Log"))))
        return {};
    static const QRegularExpression stamp(QStringLiteral("^\\[[^\\]]*\\]Moriva\\.exe Version:\\S* Address:\\$\\w{8} "));
    QStringList lines = DecodeAnsi(Folder.Read(QStringLiteral("Vek.Log"))).split(QStringLiteral("\r\n"));
    lines.removeLast();
    for (QString& line : lines)
        line.remove(stamp);
    return lines;
}

QStringList NewsCheck::Files() const
{
    QStringList files;
    QDirIterator it(Folder.Path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next().mid(Folder.Path().size());
    files.sort();
    return files;
}

bool NewsCheck::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && watched->objectName() == QStringLiteral("lblUpDate")) {
        const auto* label = static_cast<QLabel*>(watched);
        const auto* bar = label->parentWidget()->findChild<QProgressBar*>(QStringLiteral("ProgressBar"));
        const QString step = QStringLiteral("step %1 %2").arg(label->text()).arg(bar->value());
        const QStringList steps = Steps();
        if ((steps.isEmpty() || steps.constLast() != step) && label->text() != QStringLiteral("アップデート確認中．．．"))
            Events << step;
    }
    return false;
}

// Reads the notice on top and answers it with "O K", once per notice.
void NewsCheck::AnswerNotice()
{
    auto* notice = qobject_cast<TfrmInfo*>(QApplication::activeModalWidget());
    if (!notice || notice == answered_ || !notice->isVisible())
        return;
    answered_ = notice;
    int open = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        open += qobject_cast<TfrmInfo*>(w) && w->isVisible() ? 1 : 0;
    Events << QStringLiteral("notice ") + notice->memInfo->toPlainText()
                  + (open == 1 ? QString() : QStringLiteral(" (with another notice open)"));
    QTest::mouseClick(notice->btnOK, Qt::LeftButton);
}
