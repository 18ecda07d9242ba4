#include "screens/subset/USubsetNameText.h"

const QString SubsetNameTakenText = QStringLiteral("同じ名称のカテゴリーがあります。");

QString SubsetNameFaultText(TSubsetNameFault fault)
{
    switch (fault) {
    case TSubsetNameFault::None:
    case TSubsetNameFault::Blank:
        return QString();
    case TSubsetNameFault::AllQuestions:
        return QStringLiteral("「全ての問題」は使えません。");
    case TSubsetNameFault::Dots:
        return QStringLiteral("「.」「..」は使えません。");
    case TSubsetNameFault::ReservedCharacter:
        return QStringLiteral("「=」「/」「\\」は使えません。");
    case TSubsetNameFault::ControlCharacter:
        return QStringLiteral("制御文字は使えません。");
    case TSubsetNameFault::NotInCodePage:
        return QStringLiteral("シフトJISにない文字は使えません。");
    case TSubsetNameFault::TooLong:
        return QStringLiteral("名称が長すぎます。");
    }
    return QString();
}
