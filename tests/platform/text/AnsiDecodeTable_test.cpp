// Decoding through the tables gives exactly what decoding through iconv gives: every one-
// and two-byte sequence, three-byte sequences around every byte iconv does not read alone,
// and random texts, in code page 932 and in single-byte code pages.
#include "platform/text/Ansi.h"
#include "platform/text/AnsiDecodeTable.h"
#include "platform/text/AnsiIconv.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <thread>

namespace {

std::string Hex(QByteArrayView bytes) { return bytes.toByteArray().toHex(' ').toStdString(); }

// Bytes that start, end or break a double-byte character, or that iconv leaves out.
constexpr unsigned char Edges[] = {0x00, 0x20, 0x3F, 0x40, 0x5C, 0x7E, 0x7F, 0x80, 0x81, 0x85, 0x9F, 0xA0,
                                   0xA1, 0xDF, 0xE0, 0xEF, 0xF0, 0xFC, 0xFD, 0xFF};

class AnsiDecodeTable : public testing::TestWithParam<int> {
protected:
    void ExpectAsIconv(QByteArrayView bytes)
    {
        ASSERT_EQ(DecodeAnsi(bytes, GetParam()), DecodeAnsiByIconv(bytes, GetParam())) << Hex(bytes);
    }
};

} // namespace

TEST_P(AnsiDecodeTable, EveryOneAndTwoByteSequenceReadsAsThroughIconv)
{
    char bytes[2];
    for (int first = 0; first < 256; ++first) {
        bytes[0] = static_cast<char>(first);
        ExpectAsIconv(QByteArrayView(bytes, 1));
        for (int second = 0; second < 256; ++second) {
            bytes[1] = static_cast<char>(second);
            ExpectAsIconv(QByteArrayView(bytes, 2));
        }
    }
}

TEST_P(AnsiDecodeTable, ThreeByteSequencesReadAsThroughIconv)
{
    char bytes[3];
    for (int first = 0x80; first < 256; ++first) {
        bytes[0] = static_cast<char>(first);
        for (int second = 0; second < 256; ++second) {
            bytes[1] = static_cast<char>(second);
            for (unsigned char third : Edges) {
                bytes[2] = static_cast<char>(third);
                ExpectAsIconv(QByteArrayView(bytes, 3));
            }
        }
    }
}

TEST_P(AnsiDecodeTable, RandomTextsReadAsThroughIconv)
{
    QRandomGenerator random(932);
    for (int i = 0; i < 20000; ++i) {
        QByteArray text(random.bounded(1, 40), '\0');
        for (char& c : text)
            c = static_cast<char>(random.bounded(2) ? Edges[random.bounded(int(sizeof Edges))] : random.bounded(256));
        ExpectAsIconv(text);
    }
}

INSTANTIATE_TEST_SUITE_P(CodePages, AnsiDecodeTable, testing::Values(932, 1252, 1251, 936, 949, 950));

TEST(AnsiDecodeTableFor, JapaneseAndSingleByteCodePagesHaveTables)
{
    for (int codePage : {932, 1252, 1251})
        EXPECT_NE(TAnsiDecodeTable::For(codePage), nullptr) << codePage;
}

TEST(AnsiDecodeTableFor, CodePagesIconvLacksStillRaiseOnDecode)
{
    EXPECT_EQ(TAnsiDecodeTable::For(4242), nullptr);
    EXPECT_ANY_THROW(DecodeAnsi(QByteArray("\x82\xA0"), 4242));
}

TEST(AnsiDecodeTableFor, TablesAreSharedBetweenThreads)
{
    const TAnsiDecodeTable* here = TAnsiDecodeTable::For(932);
    const TAnsiDecodeTable* there = nullptr;
    std::thread([&] { there = TAnsiDecodeTable::For(932); }).join();
    EXPECT_EQ(here, there);
}
