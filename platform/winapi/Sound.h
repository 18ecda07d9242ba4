#pragma once
// Synchronous wave playback: the wave file is decoded with libsndfile (PCM, IMA and
// Microsoft ADPCM, mu-law, A-law, GSM and the other encodings a RIFF WAVE file may
// hold), played on the sound device and the call returns when the device has played the
// last frame (drained). The calling thread waits meanwhile.
//
// The device is an ALSA PCM name, "default" unless set otherwise, looked up in the
// system's ALSA configuration or in a configuration text given with it. Tests route
// playback to a file, for example the name "file:'/tmp/played.raw',raw", or the name
// "played" with the text
//     pcm.played { type file slave.pcm { type null } file "/tmp/p.raw" format raw
//                  truncate false }
// which writes each playback to a file of its own (p.raw, p.raw.0001, ...).
// Samples reach the device as signed 16-bit little-endian, or signed 32-bit for files
// of more than 16 bits per sample, interleaved, at the file's rate and channel count.

#include <QString>

// Plays the wave file at path (a path on disk) and returns when it has finished. False,
// without any message, when the file cannot be opened or is not a wave file that decodes,
// or when the device cannot be opened or refuses the file's format; playback that fails
// half-way also gives false. Never throws.
bool PlayWaveFile(const QString& path) noexcept;

// The ALSA device of PlayWaveFile: its name, "default" until set, and the configuration
// text it is defined in, empty for the system's configuration.
struct TSoundDevice {
    QString Name = QStringLiteral("default");
    QString Config;
};

TSoundDevice SoundDevice();
void SetSoundDevice(const TSoundDevice& device);
