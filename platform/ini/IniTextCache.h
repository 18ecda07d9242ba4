#pragma once
// The parsed text of the INI files read last. Every read of a key reads its file again
// (another program may have changed it), but parsing it again is needed only when its
// bytes changed: a file with long lines would otherwise be decoded once per key.
// Safe to use from several threads.

#include "platform/ini/IniText.h"

#include <QByteArray>
#include <QString>

// The text of Bytes, just read from FileName: the one parsed before when the file held
// the same bytes then, else a new parse that is kept for the next read.
TIniText ParsedIniText(const QString& fileName, const QByteArray& bytes);
// Keeps Text, whose bytes FileName now holds (just written), for the next read.
void RememberIniText(const QString& fileName, const QByteArray& bytes, const TIniText& text);
