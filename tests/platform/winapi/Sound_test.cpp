#include "platform/winapi/Sound.h"
#include "tests/support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <vector>

namespace {

std::vector<short> Tone(int frames, int channels)
{
    std::vector<short> samples(static_cast<std::size_t>(frames * channels));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<short>(12000 * std::sin(static_cast<double>(i) * 0.05));
    return samples;
}

// Writes the samples as a sound file of the given major and minor format.
void WriteSound(const QString& path, int format, int channels, int rate,
                const std::vector<short>& samples)
{
    SF_INFO info{};
    info.channels = channels;
    info.samplerate = rate;
    info.format = format;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    sf_writef_short(file, samples.data(), static_cast<sf_count_t>(samples.size()) / channels);
    sf_close(file);
}

// The file's frames as libsndfile decodes them, as bytes of Sample in machine order.
template <class Sample>
QByteArray Decoded(const QString& path)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return {};
    std::vector<Sample> samples(static_cast<std::size_t>(info.frames * info.channels));
    if constexpr (sizeof(Sample) == 2)
        sf_readf_short(file, samples.data(), info.frames);
    else
        sf_readf_int(file, samples.data(), info.frames);
    sf_close(file);
    return QByteArray(reinterpret_cast<const char*>(samples.data()),
                      static_cast<qsizetype>(samples.size() * sizeof(Sample)));
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class PlayWaveFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = SoundDevice();
        SetSoundDevice({QStringLiteral("file:'%1',raw").arg(Played()), {}});
    }
    void TearDown() override { SetSoundDevice(saved_); }

    QString Path(const QString& name) const { return dir_.filePath(name); }
    QString Played() const { return Path(QStringLiteral("played.raw")); }

    QTemporaryDir dir_;
    TSoundDevice saved_;
};

struct Encoding {
    const char* Name;
    int Format;
    int Channels;
    int Rate;
};

} // namespace

TEST_F(PlayWaveFileTest, EveryWaveEncodingPlaysItsDecodedFrames)
{
    const std::vector<short> tone = Tone(5000, 2);
    WriteSound(Path("tone.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 22050, tone);
    ASSERT_TRUE(PlayWaveFile(Path("tone.wav")));
    EXPECT_EQ(ReadAll(Played()), QByteArray(reinterpret_cast<const char*>(tone.data()),
                                            static_cast<qsizetype>(tone.size() * 2)));

    const Encoding encodings[] = {
        {"8-bit PCM", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 1, 11025},
        {"IMA ADPCM", SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM, 1, 22050},
        {"MS ADPCM", SF_FORMAT_WAV | SF_FORMAT_MS_ADPCM, 2, 22050},
        {"mu-law", SF_FORMAT_WAV | SF_FORMAT_ULAW, 1, 8000},
        {"A-law", SF_FORMAT_WAV | SF_FORMAT_ALAW, 2, 8000},
        {"GSM 6.10", SF_FORMAT_WAV | SF_FORMAT_GSM610, 1, 8000},
        {"extensible PCM", SF_FORMAT_WAVEX | SF_FORMAT_PCM_16, 2, 44100},
    };
    for (const Encoding& e : encodings) {
        const QString wave = Path(QStringLiteral("%1.wav").arg(e.Format, 0, 16));
        WriteSound(wave, e.Format, e.Channels, e.Rate, Tone(3000, e.Channels));
        ASSERT_TRUE(PlayWaveFile(wave)) << e.Name;
        const QByteArray played = ReadAll(Played());
        EXPECT_GE(played.size(), 3000 * e.Channels * 2) << e.Name;
        EXPECT_EQ(played, Decoded<short>(wave)) << e.Name;
    }
}

TEST_F(PlayWaveFileTest, SamplesFinerThanSixteenBitsPlayAsThirtyTwoBits)
{
    WriteSound(Path("fine.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_24, 1, 48000, Tone(2000, 1));
    ASSERT_TRUE(PlayWaveFile(Path("fine.wav")));
    EXPECT_EQ(ReadAll(Played()).size(), 2000 * 4);
    EXPECT_EQ(ReadAll(Played()), Decoded<int>(Path("fine.wav")));
}

TEST_F(PlayWaveFileTest, AConfiguredDevicePlaysEachCallInFull)
{
    SetSoundDevice({QStringLiteral("played"),
                    QStringLiteral("pcm.played { type file slave.pcm { type null }\n"
                                   "  file \"%1\" format raw truncate false }\n")
                        .arg(Path("each.raw"))});
    WriteSound(Path("tone.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 8000, Tone(1500, 1));

    ASSERT_TRUE(PlayWaveFile(Path("tone.wav")));
    ASSERT_TRUE(PlayWaveFile(Path("tone.wav")));
    const QByteArray expected = Decoded<short>(Path("tone.wav"));
    EXPECT_EQ(ReadAll(Path("each.raw")), expected);
    EXPECT_EQ(ReadAll(Path("each.raw.0001")), expected);
    EXPECT_FALSE(QFile::exists(Path("each.raw.0002")));
}

TEST_F(PlayWaveFileTest, WhatDoesNotDecodeAsAWaveFileIsRefusedQuietly)
{
    WriteSound(Path("tone.aiff"), SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 1, 8000, Tone(100, 1));
    QFile text(Path("text.wav"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("RIFF is what this is not\r\n");
    text.close();

    testing::internal::CaptureStderr();
    EXPECT_FALSE(PlayWaveFile(Path("missing.wav")));
    EXPECT_FALSE(PlayWaveFile(Path("text.wav")));
    EXPECT_FALSE(PlayWaveFile(Path("tone.aiff")));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_FALSE(QFile::exists(Played()));
}

TEST_F(PlayWaveFileTest, WithoutADeviceNothingPlaysAndNothingIsPrinted)
{
    WriteSound(Path("tone.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 8000, Tone(100, 1));
    const TSoundDevice missing[] = {
        {QStringLiteral("hw:97,0"), {}},
        {QStringLiteral("no_such_device"), {}},
        {QStringLiteral("played"), QStringLiteral("pcm.played { type")},
        {QStringLiteral("other"), QStringLiteral("pcm.played { type null }")},
    };
    testing::internal::CaptureStderr();
    for (const TSoundDevice& device : missing) {
        SetSoundDevice(device);
        EXPECT_FALSE(PlayWaveFile(Path("tone.wav"))) << device.Name.toStdString();
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}
