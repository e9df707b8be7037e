#include "tests/platform/dsound/sound_fixture.h"

#include <cstdlib>
#include <cstring>

#include "platform/dsound/voices.h"
#include "platform/fault.h"

namespace test {

WAVEFORMATEX PcmFormat(DWORD rate, WORD channels, WORD bits)
{
    const auto align = static_cast<WORD>(channels * bits / 8);
    return {WAVE_FORMAT_PCM, channels, rate, rate * align, align, bits, 0};
}

void SoundDeviceTest::SetUp()
{
    platform::SetSoundOutput(platform::SoundOutput::None);
    ASSERT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DS_OK);
    ASSERT_EQ(device->SetCooperativeLevel(nullptr, DSSCL_PRIORITY), DS_OK);
    DSBUFFERDESC description {DSBUFFERDESC_SIZE, DSBCAPS_PRIMARYBUFFER, 0, 0, nullptr, {}};
    ASSERT_EQ(device->CreateSoundBuffer(&description, &primary, nullptr), DS_OK);
    const WAVEFORMATEX output = PcmFormat(22050, 2, 16);
    ASSERT_EQ(primary->SetFormat(&output), DS_OK);
}

void SoundDeviceTest::TearDown()
{
    platform::ClearFailures();
    platform::SetEmulatedSoundDriver(false);
    if (device != nullptr) device->Release();
    platform::SetSoundOutput(platform::SoundOutput::Device);
}

LPDIRECTSOUNDBUFFER SoundDeviceTest::MakeBuffer(const WAVEFORMATEX& format,
                                                const std::vector<BYTE>& bytes, DWORD flags)
{
    WAVEFORMATEX copy = format;
    DSBUFFERDESC description {
        DSBUFFERDESC_SIZE, flags, static_cast<DWORD>(bytes.size()), 0, &copy, {}};
    LPDIRECTSOUNDBUFFER buffer = nullptr;
    EXPECT_EQ(device->CreateSoundBuffer(&description, &buffer, nullptr), DS_OK);
    if (buffer == nullptr) return nullptr;
    LPVOID memory = nullptr;
    DWORD size = 0;
    EXPECT_EQ(buffer->Lock(0, description.dwBufferBytes, &memory, &size, nullptr, nullptr, 0),
              DS_OK);
    std::memcpy(memory, bytes.data(), size);
    EXPECT_EQ(buffer->Unlock(memory, size, nullptr, 0), DS_OK);
    return buffer;
}

std::vector<std::int16_t> SoundDeviceTest::Pull(DWORD frames)
{
    std::vector<std::int16_t> mix(std::size_t {frames} * 2);
    platform::dsound::RenderMix(reinterpret_cast<BYTE*>(mix.data()), mix.size() * 2);
    return mix;
}

std::vector<BYTE> Wide(const std::vector<std::int16_t>& samples)
{
    std::vector<BYTE> bytes;
    for (std::int16_t sample : samples) {
        bytes.push_back(static_cast<BYTE>(sample));
        bytes.push_back(static_cast<BYTE>(static_cast<std::uint16_t>(sample) >> 8));
    }
    return bytes;
}

std::vector<BYTE> ConstantWide(DWORD frames, std::int16_t level)
{
    return Wide(std::vector<std::int16_t>(frames, level));
}

int Peak(const std::vector<std::int16_t>& mix, int channel)
{
    int peak = 0;
    for (std::size_t i = channel; i < mix.size(); i += 2) peak = std::max(peak, std::abs(mix[i]));
    return peak;
}

} // namespace test
