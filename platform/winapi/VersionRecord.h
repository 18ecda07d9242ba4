#pragma once
// The program's version record. It lives in the executable file itself, in the ELF
// section named below, so that it can be read from the file without running it. The
// section holds text lines "key=value" (ASCII, each ended by a line feed); the file
// version is under the key of the Japanese (0411) / code page 932 (03A4) string table.

inline constexpr const char* VersionSectionName = ".moriva_version";
inline constexpr const char* FileVersionKey = "StringFileInfo\\041103A4\\FileVersion";
