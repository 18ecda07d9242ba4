#pragma once
// Trimming of texts: a "blank" character is any character with a code up to 32 (the blank
// itself and every control character), at either end of a text.

#include <QString>

QString Trim(const QString& text);
QString TrimLeft(const QString& text);
QString TrimRight(const QString& text);

// True when the text is empty or made only of blank characters.
bool IsBlank(const QString& text);
