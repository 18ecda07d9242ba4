#include "screens/startup/UfrmInfo.h"

#include "platform/core/Exception.h"
#include "platform/files/Files.h"
#include "platform/text/Ansi.h"
#include "platform/text/Trim.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/Memo.h"
#include "screens/startup/UServerText.h"

#include <QFileInfo>
#include <memory>

TfrmInfo::TfrmInfo(QWidget* owner) : TForm(owner)
{
    setupUi(this);
    Image->LoadFromFile(QStringLiteral(":/startup/info_background.svg"));
}

TfrmInfo::~TfrmInfo() = default;

namespace {

// The notice's text; raises when the file cannot be read or is not CP932 text.
QString ReadNotice(const QString& name, const QString& path)
{
    if (!QFileInfo(ResolvePath(path)).isFile())
        throw Exception(QStringLiteral("the notice %1 is not a file").arg(name));
    const QByteArray bytes = ReadFileBytes(path);
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
