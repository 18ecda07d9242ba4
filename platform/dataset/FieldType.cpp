#include "platform/dataset/FieldType.h"

#include <array>

QString FieldTypeName(TFieldType type)
{
    static const std::array<const char*, ftSingle + 1> names = {
        "ftUnknown", "ftString", "ftSmallint", "ftInteger", "ftWord", "ftBoolean", "ftFloat",
        "ftCurrency", "ftBCD", "ftDate", "ftTime", "ftDateTime", "ftBytes", "ftVarBytes",
        "ftAutoInc", "ftBlob", "ftMemo", "ftGraphic", "ftFmtMemo", "ftTypedBinary",
        "ftFixedChar", "ftWideString", "ftLargeint", "ftGuid", "ftTimeStamp", "ftFMTBcd",
        "ftFixedWideChar", "ftWideMemo", "ftLongWord", "ftShortint", "ftByte", "ftExtended",
        "ftSingle"};
    if (type < 0 || type > ftSingle)
        return QStringLiteral("ftUnknown");
    return QString::fromLatin1(names[static_cast<std::size_t>(type)]);
}
