// Putting the screen in the window: the one-pass palette expansion and scaling of a whole frame,
// measured against a plain copy of the bytes it writes; and the bookkeeping of what a frame of
// play changed on the screen.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/ddraw.h"
#include "platform/ddraw/store.h"
#include "platform/present/frame_expand.h"
#include "platform/present/sharp_fit.h"

namespace {

constexpr int screenWidth = 640;
constexpr int screenHeight = 480;
constexpr std::size_t screenPitch = 704;

void BM_ExpandFrame(benchmark::State& state)
{
    const auto scale = static_cast<int>(state.range(0));
    std::vector<BYTE> screen(screenPitch * screenHeight);
    for (std::size_t i = 0; i < screen.size(); ++i) screen[i] = static_cast<BYTE>(i * 7 + i / 640);
    std::vector<std::uint32_t> colours(256);
    for (std::uint32_t i = 0; i < 256; ++i) colours[i] = 0xFF000000u | i * 0x010203u;
    const std::size_t pitch = static_cast<std::size_t>(screenWidth) * scale;
    std::vector<std::uint32_t> window(pitch * screenHeight * scale);
    const auto across = platform::present::WholeAxis(screenWidth, 0, scale);
    const auto down = platform::present::WholeAxis(screenHeight, 0, scale);
    for (auto _ : state) {
        platform::present::ExpandArea({screen.data(), screenPitch},
                                      {0, 0, screenWidth, screenHeight}, colours.data(), across,
                                      down, {window.data(), pitch});
        benchmark::DoNotOptimize(window.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * window.size() * 4));
}
BENCHMARK(BM_ExpandFrame)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);

// The sharp fit of a whole frame into a 1440 x 1080 picture (full screen at 1920 x 1080).
void BM_ExpandFrameSharpFit(benchmark::State& state)
{
    std::vector<BYTE> screen(screenPitch * screenHeight);
    for (std::size_t i = 0; i < screen.size(); ++i) screen[i] = static_cast<BYTE>(i * 7 + i / 640);
    std::vector<std::uint32_t> colours(256);
    for (std::uint32_t i = 0; i < 256; ++i) colours[i] = 0xFF000000u | i * 0x010203u;
    const auto across = platform::present::SharpAxis(screenWidth, 0, 1440);
    const auto down = platform::present::SharpAxis(screenHeight, 0, 1080);
    std::vector<std::uint32_t> window(std::size_t {1440} * 1080);
    for (auto _ : state) {
        platform::present::ExpandAreaSharp({screen.data(), screenPitch},
                                           {0, 0, screenWidth, screenHeight}, colours.data(),
                                           across, down, {window.data(), 1440});
        benchmark::DoNotOptimize(window.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * window.size() * 4));
}
BENCHMARK(BM_ExpandFrameSharpFit)->Unit(benchmark::kMicrosecond);

// The yardstick: copying as many bytes as the expansion writes.
void BM_CopyFrameBytes(benchmark::State& state)
{
    const auto scale = static_cast<std::size_t>(state.range(0));
    const std::size_t bytes = screenWidth * screenHeight * 4 * scale * scale;
    std::vector<BYTE> from(bytes, 1);
    std::vector<BYTE> to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_CopyFrameBytes)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);

// The writes a frame of play makes on the screen (the cursor erased and drawn again, the field
// copied), noted and handed to the presenter.
void BM_TrackPlayFrame(benchmark::State& state)
{
    LPDIRECTDRAW display = nullptr;
    DirectDrawCreate(nullptr, &display, nullptr);
    display->SetCooperativeLevel(nullptr, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE);
    DDSURFACEDESC desc {};
    desc.dwSize = DDSURFACEDESC_SIZE;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    LPDIRECTDRAWSURFACE primary = nullptr;
    display->CreateSurface(&desc, &primary, nullptr);
    auto* surface = platform::ddraw::Object(primary);
    platform::DisplayChanges changes;
    LONG x = 100;
    for (auto _ : state) {
        x = x % 600 + 1;
        platform::ddraw::NoteChange(surface, {x - 13, 200, x + 11, 224});
        platform::ddraw::NoteChange(surface, {x - 12, 200, x + 12, 224});
        platform::ddraw::NoteChange(surface, {0, 24, 640, 480});
        platform::TakeDisplayChanges(changes);
        benchmark::DoNotOptimize(changes.rects.data());
    }
    display->Release();
}
BENCHMARK(BM_TrackPlayFrame);

} // namespace
