#pragma once
// Decoding the bytes of a code page whose characters are one or two bytes and one UTF-16
// unit each (932 and the single-byte code pages) through a table, built once per code page
// from what iconv gives for every single byte and every byte pair that can start with a
// byte iconv does not read alone. Decoding then gives exactly what DecodeAnsiByIconv gives,
// straight into UTF-16 and without a call into iconv per text.

#include <QByteArrayView>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

class TAnsiDecodeTable {
public:
    // The table of the code page, built at first use and kept for the program's life;
    // nullptr when the code page cannot be read through a table (or iconv lacks it).
    // Safe to call from any thread.
    static const TAnsiDecodeTable* For(int codePage);

    QString Decode(QByteArrayView bytes) const;

private:
    TAnsiDecodeTable();
    bool Build(int codePage);
    // Writes the characters of bytes to out (room for one per byte); returns how many.
    qsizetype DecodeInto(QByteArrayView bytes, char16_t* out) const;

    std::array<char16_t, 256> single_{}; // a byte read alone, also at the end of a text
    std::array<bool, 256> paired_{};     // the byte's reading depends on the one after it
    // For each paired byte, indexed by byte * 256 + next byte: the character and whether
    // both bytes make it (else only the first).
    std::vector<char16_t> pairChar_;
    std::vector<std::uint8_t> pairTakesTwo_;
};
