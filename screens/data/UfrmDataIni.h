#pragma once
// What the data screen keeps in the category's Control.inf: the panel sizes [位置] and the
// unit size [単位], with their defaults and the limits the screen holds them to.

#include <QString>
#include <algorithm>

namespace DataScreenIni {

inline const QString PositionSection = QStringLiteral("位置");
inline const QString KeyTopHeight = QStringLiteral("TopHeight");
inline const QString KeyTopWidth = QStringLiteral("TopWidth");
inline const QString KeyTopChartHeight = QStringLiteral("TopChartHeight");
inline const QString KeyAnswerWidth = QStringLiteral("AnswerWidth");
inline const QString KeyAnswerHeight = QStringLiteral("AnswerHeight");
inline constexpr int DefaultTopHeight = 300;
inline constexpr int DefaultTopWidth = 306;
inline constexpr int DefaultTopChartHeight = 150;
inline constexpr int DefaultAnswerWidth = 306;
inline constexpr int DefaultAnswerHeight = 140;

inline const QString UnitSection = QStringLiteral("単位");
inline const QString KeyButtonName = QStringLiteral("名称");
inline const QString KeyUnitSize = QStringLiteral("単位数");
inline const QString KeyUnitIndex = QStringLiteral("ｲﾝﾃﾞｯｸｽ");
inline const QString DefaultButtonName = QStringLiteral("sbtnSelectUser");
inline constexpr int DefaultUnitSize = 10;

// Every unit size the screen uses, wherever it comes from, lies within these.
inline constexpr int MinUnitSize = 1;
inline constexpr int MaxUnitSize = 1000;

inline int UnitSizeInRange(int size)
{
    return std::clamp(size, MinUnitSize, MaxUnitSize);
}

} // namespace DataScreenIni
