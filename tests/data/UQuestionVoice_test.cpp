// Sound questions play their wave file once per Show, on a device routed to files.
#include "UQuestionTestSupport.h"

#include "platform/vcl/Image.h"
#include "platform/winapi/Sound.h"

#include <QFile>
#include <QLineEdit>
#include <sndfile.h>

namespace {

class VoiceQuestions : public QuestionFolder {
protected:
    VoiceQuestions() : saved_(SoundDevice())
    {
        // Each playback goes to a file of its own: played.raw, played.raw.0001, ...
        SetSoundDevice({QStringLiteral("played"),
                        QStringLiteral("pcm.played { type file slave.pcm { type null }"
                                       " file \"%1\" format raw truncate false }")
                            .arg(Played(0))});
    }
    ~VoiceQuestions() override { SetSoundDevice(saved_); }

    QString Played(int index) const
    {
        const QString first = program_.FilePath(QStringLiteral("played.raw"));
        return index == 0 ? first : first + QStringLiteral(".%1").arg(index, 4, 10, QLatin1Char('0'));
    }

    // A 16-bit mono wave file of `frames` frames; its samples as bytes.
    QByteArray WriteWave(const QString& path, int frames) const
    {
        std::vector<short> samples(static_cast<std::size_t>(frames));
        for (int i = 0; i < frames; ++i)
            samples[static_cast<std::size_t>(i)] = static_cast<short>(i * 7 - 3000);
        SF_INFO info{};
        info.channels = 1;
        info.samplerate = 8000;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
        EXPECT_NE(file, nullptr);
        if (!file)
            return {};
        sf_writef_short(file, samples.data(), frames);
        sf_close(file);
        return QByteArray(reinterpret_cast<const char*>(samples.data()), frames * 2);
    }

    static QByteArray ReadAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TSoundDevice saved_;
};

} // namespace

TEST_F(VoiceQuestions, ShownTwiceInARowTheSoundPlaysTwice)
{
    program_.MakeDir(QStringLiteral("VEKTest/Sound"));
    const QByteArray frames = WriteWave(program_.FilePath(QStringLiteral("VEKTest/Sound/a.wav")), 1200);
    WriteQuestions({{3, 3, QStringLiteral("sound\\A.WAV")}, {4, 3, QStringLiteral("sound\\A.WAV")}});
    QuestionControlClass->CreateInstance(Folder());

    QLineEdit edit(QStringLiteral("old"));
    TImage image;
    QuestionControl->Show(3, &edit);
    QuestionControl->Show(3, &image);
    EXPECT_EQ(edit.text(), QString());
    EXPECT_EQ(ReadAll(Played(0)), frames);
    EXPECT_EQ(ReadAll(Played(1)), frames);
    EXPECT_FALSE(QFile::exists(Played(2)));
}

TEST_F(VoiceQuestions, AMissingOrUndecodableSoundPlaysNothing)
{
    program_.Write(QStringLiteral("VEKTest/noise.wav"), "not a wave file");
    WriteQuestions({{1, 3, QStringLiteral("gone.wav")}, {2, 3, QStringLiteral("noise.wav")},
                    {3, 3, QString()}});
    QuestionControlClass->CreateInstance(Folder());
    QLineEdit edit;
    for (int no : {1, 2, 3})
        EXPECT_NO_THROW(QuestionControl->Show(no, &edit));
    EXPECT_FALSE(QFile::exists(Played(0)));
}

TEST_F(VoiceQuestions, WithoutASoundDeviceTheQuestionIsSilent)
{
    WriteWave(Folder() + QStringLiteral("a.wav"), 100);
    WriteQuestions({{1, 3, QStringLiteral("a.wav")}});
    QuestionControlClass->CreateInstance(Folder());
    SetSoundDevice({QStringLiteral("hw:97,0"), {}});
    QLineEdit edit(QStringLiteral("old"));
    EXPECT_NO_THROW(QuestionControl->Show(1, &edit));
    EXPECT_EQ(edit.text(), QString());
}
