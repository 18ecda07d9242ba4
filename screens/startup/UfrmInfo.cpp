#include "screens/startup/UfrmInfo.h"

#include "platform/core/Exception.h"
#include "platform/files/Files.h"
#include "platform/text/Ansi.h"
#include "platform/text/Trim.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/Memo.h"
#include "screens/startup/UServerText.h"

#include <QFile>
#include <QFileInfo>
#include <memory>

TfrmInfo::TfrmInfo(QWidget* owner) : TForm(owner)
{
    setupUi(this);
    Image->LoadFromFile(QStringLiteral(":/startup/info_background.svg"));
}

TfrmInfo::~TfrmInfo() = default;

namespace {

// The bytes of the notice file; one byte more than NoticeLimit is read to refuse it.
QByteArray ReadNoticeBytes(const QString& name, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("the notice %1 cannot be read: %2").arg(name, file.errorString()));
    QByteArray bytes = file.read(NoticeLimit + 1);
    if (file.error() != QFileDevice::NoError)
        throw Exception(QStringLiteral("the notice %1 cannot be read: %2").arg(name, file.errorString()));
    if (bytes.size() > NoticeLimit)
        throw Exception(QStringLiteral("the notice %1 is refused, larger than %2 bytes").arg(name).arg(NoticeLimit));
    return bytes;
}

// The notice's text; raises when the file cannot be read, is too large or is not CP932 text.
QString ReadNotice(const QString& name, const QString& path)
{
    const QString resolved = ResolvePath(path);
    if (!QFileInfo(resolved).isFile())
        throw Exception(QStringLiteral("the notice %1 is not a file").arg(name));
    const QByteArray bytes = ReadNoticeBytes(name, resolved);
    QString text = DecodeAnsi(bytes);
    if (EncodeAnsi(text) != bytes)
        throw Exception(QStringLiteral("the notice %1 holds bytes that are not text").arg(name));
    return text;
}

} // namespace

void TfrmInfoClass::ShowInfo(const QString& fileName) const
{
    const QString name = Trim(fileName);
    if (name.isEmpty())
        return;
    if (const QString reason = CheckBelowProgramFolder(name); !reason.isEmpty())
        throw Exception(QStringLiteral("the notice %1 is refused, %2").arg(name, reason));
    const QString path = GetAppDir() + name;
    if (!QFileInfo::exists(ResolvePath(path)))
        return;
    const QString text = ReadNotice(name, path);
    const std::unique_ptr<TfrmInfo> form = Create(nullptr);
    form->memInfo->setPlainText(text);
    if (!Trim(form->memInfo->toPlainText()).isEmpty())
        form->ShowModal();
}

void InitializeUfrmInfo() { InfoFormClass = ClassOf<TfrmInfo, TfrmInfoClass>(); }

void FinalizeUfrmInfo() { InfoFormClass = nullptr; }
