#include "data_views/ScreenLoading.h"

#include "data/UConst.h"
#include "platform/core/Exception.h"
#include "platform/vcl/Dialogs.h"

void FailScreenLoading(TForm& form, const QString& place, const QString& what) noexcept
{
    WriteLog(place, ExceptMessage());
    form.FailLoading();
    try {
        MessageBox(QStringLiteral("%1を読み込めないため、この画面を閉じます。\r\n"
                                  "原因はログ（Vek.Log）に記録しました。")
                       .arg(what),
                   QStringLiteral("エラー"), MB_OK | MB_ICONERROR);
    } catch (...) {
        // The log holds the cause; the screen closes all the same.
    }
}
