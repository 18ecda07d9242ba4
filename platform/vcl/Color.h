#pragma once
// Colours as the screens and stores give them: a 32-bit value 0x00BBGGRR (red in the low
// byte), so a stored or written colour number means the same colour here. clDefault and
// clTeeColor are not colours but "the component's own colour".

#include <QColor>
#include <cstdint>

using TColor = std::int32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clDefault = 0x20000000;
inline constexpr TColor clTeeColor = 0x20000000;

constexpr TColor RGBColor(int r, int g, int b)
{
    return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

inline QColor ToQColor(TColor color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

inline TColor FromQColor(const QColor& color)
{
    return RGBColor(color.red(), color.green(), color.blue());
}
