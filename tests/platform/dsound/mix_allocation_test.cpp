// The audio thread must never wait on the allocator: every allocation of this program is
// counted while the mix runs as the audio callback runs it.

#include <atomic>
#include <cstdlib>
#include <new>

#include "platform/dsound/voices.h"
#include "tests/platform/dsound/sound_fixture.h"

namespace {

std::atomic<int> allocations {0};
std::atomic<bool> counting {false};

} // namespace

void* operator new(std::size_t size)
{
    if (counting) ++allocations;
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace {

using MixAllocation = test::SoundDeviceTest;

TEST_F(MixAllocation, TheAudioCallbacksWorkAllocatesNothing)
{
    const auto shot = MakeBuffer(test::PcmFormat(11025, 2, 16), test::ConstantWide(4000, 300));
    LPDIRECTSOUNDBUFFER copy = nullptr;
    device->DuplicateSoundBuffer(shot, &copy);
    const auto pop = MakeBuffer(test::PcmFormat(22050, 1, 8), std::vector<BYTE>(3000, 0x90));
    shot->Play(0, 0, 0);
    copy->Play(0, 0, 0);
    pop->Play(0, 0, 0);
    std::vector<BYTE> stream(4096);
    counting = true;
    for (int i = 0; i < 20; ++i) platform::dsound::RenderMix(stream.data(), stream.size());
    counting = false;
    EXPECT_EQ(allocations, 0);
    // The mix really ran: the voices moved to their ends.
    DWORD status = 1;
    pop->GetStatus(&status);
    EXPECT_EQ(status, 0u);
}

} // namespace
