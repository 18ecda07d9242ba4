#pragma once
// The largest picture the program decodes. A picture file's header names its size; a size
// above the limit is refused before any pixel memory is taken, so that a small file
// claiming a huge picture can neither stall the screen nor exhaust the memory.

#include <QString>
#include <cstdint>

inline constexpr std::int64_t MaxPicturePixels = 64'000'000; // 64 megapixels

// Raises Exception naming the file and its size when width x height exceeds
// MaxPicturePixels.
void CheckPictureSize(const QString& fileName, std::int64_t width, std::int64_t height);
