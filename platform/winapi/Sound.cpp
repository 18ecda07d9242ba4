#include "platform/winapi/Sound.h"

#include <QFile>
#include <alsa/asoundlib.h>
#include <sndfile.h>

#include <memory>
#include <vector>

namespace {

constexpr sf_count_t BlockFrames = 4096;
constexpr unsigned LatencyUs = 200000;

TSoundDevice& Device()
{
    static TSoundDevice device;
    return device;
}

// ALSA reports a missing card or device on stderr by default; a machine without sound is
// an ordinary case here, so the library's messages are dropped.
void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}

struct SndFileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SndFilePtr = std::unique_ptr<SNDFILE, SndFileCloser>;

struct ConfigDeleter {
    void operator()(snd_config_t* config) const { snd_config_delete(config); }
};
using ConfigPtr = std::unique_ptr<snd_config_t, ConfigDeleter>;

struct PcmCloser {
    void operator()(snd_pcm_t* pcm) const { snd_pcm_close(pcm); }
};
using PcmPtr = std::unique_ptr<snd_pcm_t, PcmCloser>;

// An open device with the configuration tree it was made from, which outlives it.
struct TOpenDevice {
    ConfigPtr Config;
    PcmPtr Pcm;
};

// The configuration text parsed into a tree; empty when it does not parse.
ConfigPtr ParseConfig(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    snd_config_t* top = nullptr;
    if (snd_config_top(&top) < 0)
        return {};
    ConfigPtr config(top);
    snd_input_t* input = nullptr;
    if (snd_input_buffer_open(&input, bytes.constData(), bytes.size()) < 0)
        return {};
    const int loaded = snd_config_load(top, input);
    snd_input_close(input);
    if (loaded < 0)
        return {};
    return config;
}

// Opened without blocking, so a device held by another program fails at once instead of
// holding up the caller; the writes then block as playback needs.
bool OpenPcm(TOpenDevice& device)
{
    const TSoundDevice& setting = Device();
    const QByteArray name = setting.Name.toLocal8Bit();
    snd_pcm_t* raw = nullptr;
    int opened = 0;
    if (setting.Config.isEmpty()) {
        opened = snd_pcm_open(&raw, name.constData(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK);
    } else {
        device.Config = ParseConfig(setting.Config);
        if (!device.Config)
            return false;
        opened = snd_pcm_open_lconf(&raw, name.constData(), SND_PCM_STREAM_PLAYBACK,
                                    SND_PCM_NONBLOCK, device.Config.get());
    }
    if (opened < 0)
        return false;
    device.Pcm.reset(raw);
    return snd_pcm_nonblock(raw, 0) >= 0;
}

bool IsWaveContainer(const SF_INFO& info)
{
    const int container = info.format & SF_FORMAT_TYPEMASK;
    return container == SF_FORMAT_WAV || container == SF_FORMAT_WAVEX;
}

// Encodings finer than 16 bits go to the device as 32-bit samples, all others as 16-bit.
bool NeedsWideSamples(const SF_INFO& info)
{
    switch (info.format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_24:
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT:
    case SF_FORMAT_DOUBLE:
        return true;
    default:
        return false;
    }
}

SndFilePtr OpenWave(const QString& path, SF_INFO& info)
{
    info = {};
    const QByteArray name = QFile::encodeName(path);
    SndFilePtr file(sf_open(name.constData(), SFM_READ, &info));
    if (file && (!IsWaveContainer(info) || info.channels < 1 || info.samplerate < 1))
        file.reset();
    return file;
}

// The device opened and set up for the file's layout; false when it cannot be.
bool OpenDevice(TOpenDevice& device, const SF_INFO& info, snd_pcm_format_t format)
{
    snd_lib_error_set_handler(&QuietAlsa);
    if (!OpenPcm(device))
        return false;
    return snd_pcm_set_params(device.Pcm.get(), format, SND_PCM_ACCESS_RW_INTERLEAVED,
                              static_cast<unsigned>(info.channels),
                              static_cast<unsigned>(info.samplerate), 1, LatencyUs) >= 0;
}

template <class Sample>
bool WriteFrames(snd_pcm_t* pcm, const Sample* samples, sf_count_t frames, int channels)
{
    while (frames > 0) {
        snd_pcm_sframes_t written =
            snd_pcm_writei(pcm, samples, static_cast<snd_pcm_uframes_t>(frames));
        if (written < 0) {
            // An underrun or a suspended device is recovered once, then the block retried.
            if (snd_pcm_recover(pcm, static_cast<int>(written), 1) < 0)
                return false;
            continue;
        }
        samples += written * channels;
        frames -= written;
    }
    return true;
}

sf_count_t ReadFrames(SNDFILE* file, short* buffer, sf_count_t frames)
{
    return sf_readf_short(file, buffer, frames);
}

sf_count_t ReadFrames(SNDFILE* file, int* buffer, sf_count_t frames)
{
    return sf_readf_int(file, buffer, frames);
}

template <class Sample>
bool Play(SNDFILE* file, const SF_INFO& info, snd_pcm_format_t format)
{
    TOpenDevice device;
    if (!OpenDevice(device, info, format))
        return false;
    snd_pcm_t* pcm = device.Pcm.get();
    std::vector<Sample> buffer(static_cast<std::size_t>(BlockFrames * info.channels));
    for (;;) {
        const sf_count_t frames = ReadFrames(file, buffer.data(), BlockFrames);
        if (frames <= 0)
            break;
        if (!WriteFrames(pcm, buffer.data(), frames, info.channels))
            return false;
    }
    if (sf_error(file) != SF_ERR_NO_ERROR)
        return false;
    return snd_pcm_drain(pcm) >= 0;
}

} // namespace

bool PlayWaveFile(const QString& path) noexcept
{
    try {
        SF_INFO info;
        SndFilePtr file = OpenWave(path, info);
        if (!file)
            return false;
        if (NeedsWideSamples(info))
            return Play<int>(file.get(), info, SND_PCM_FORMAT_S32_LE);
        return Play<short>(file.get(), info, SND_PCM_FORMAT_S16_LE);
    } catch (...) {
        return false; // out of memory for the sample buffer
    }
}

TSoundDevice SoundDevice()
{
    return Device();
}

void SetSoundDevice(const TSoundDevice& device)
{
    Device() = device;
}
