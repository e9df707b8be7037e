#pragma once
// A sound device mixing silently into 22050 Hz stereo 16-bit, with helpers to make buffers
// and to pull the mix as the audio thread would.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/dsound.h"

namespace test {

WAVEFORMATEX PcmFormat(DWORD rate, WORD channels, WORD bits);

class SoundDeviceTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A buffer holding bytes in format, with the given creation flags.
    LPDIRECTSOUNDBUFFER MakeBuffer(const WAVEFORMATEX& format, const std::vector<BYTE>& bytes,
                                   DWORD flags = DSBCAPS_STATIC | DSBCAPS_CTRLPAN);
    // The next frames frames of the mix, interleaved left and right.
    std::vector<std::int16_t> Pull(DWORD frames);

    LPDIRECTSOUND device = nullptr;
    LPDIRECTSOUNDBUFFER primary = nullptr;
};

// 16-bit samples laid out as a buffer holds them (low byte first).
std::vector<BYTE> Wide(const std::vector<std::int16_t>& samples);
// 16-bit mono samples of a constant level.
std::vector<BYTE> ConstantWide(DWORD frames, std::int16_t level);
// Largest absolute value of one channel (0 left, 1 right) of a stereo mix.
int Peak(const std::vector<std::int16_t>& mix, int channel);

} // namespace test
