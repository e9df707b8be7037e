// Picture decoding and blits on a full screen: throughput in output bytes per second.

#include <benchmark/benchmark.h>

#include <SDL2/SDL_image.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "bench/graphics/background.h"
#include "bench/graphics/pcx_writer.h"
#include "graphics/display_device.h"
#include "graphics/row_decoders.h"
#include "graphics/surfaces.h"

namespace {

constexpr int width = 640;
constexpr int height = 480;
constexpr int pitch = 704; // as the surface store spaces 640-pixel rows
constexpr std::size_t screenBytes = static_cast<std::size_t>(width) * height;

const qvx::Picture& Background(bool speckled = false)
{
    static const qvx::Picture pictures[] = {BackgroundPicture(false), BackgroundPicture(true)};
    return pictures[speckled];
}

// The rows of a background packed with method, each by itself, back to back.
qvx::Bytes PackedRows(BYTE method, bool speckled)
{
    qvx::Bytes packed;
    const BYTE* pixels = Background(speckled).image.pixels.data();
    for (int y = 0; y < height; ++y) {
        qvx::PackRow(pixels + static_cast<std::size_t>(y) * width, width, method, packed);
    }
    return packed;
}

// Arguments: the method, and 1 for the speckled picture.
void BM_DecodeRows(benchmark::State& state)
{
    const auto method = static_cast<BYTE>(state.range(0));
    const qvx::Bytes packed = PackedRows(method, state.range(1) != 0);
    std::vector<BYTE> screen(static_cast<std::size_t>(pitch) * height);
    for (auto _ : state) {
        const BYTE* source = packed.data();
        const BYTE* end = packed.data() + packed.size();
        for (int y = 0; y < height; ++y) {
            source = decoderTable[method](screen.data() + static_cast<std::size_t>(y) * pitch,
                                          source, end, width);
        }
        benchmark::DoNotOptimize(source);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * screenBytes));
    state.counters["packed_bytes"] = static_cast<double>(packed.size());
}
BENCHMARK(BM_DecodeRows)->ArgsProduct({{0, 1, 2, 3, 6, 7}, {0, 1}});

void BM_Memcpy(benchmark::State& state)
{
    std::vector<BYTE> from(screenBytes, 1);
    std::vector<BYTE> to(screenBytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), screenBytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * screenBytes));
}
BENCHMARK(BM_Memcpy);

// The rows a full-screen blit copies, as plain memcpy calls.
void BM_MemcpyRows(benchmark::State& state)
{
    std::vector<BYTE> from(static_cast<std::size_t>(pitch) * height, 1);
    std::vector<BYTE> to(from.size());
    for (auto _ : state) {
        for (int y = 0; y < height; ++y) std::memcpy(&to[y * pitch], &from[y * pitch], width);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * screenBytes));
}
BENCHMARK(BM_MemcpyRows);

// A DirectDraw object and the background's files in a folder of their own.
class Screen : public benchmark::Fixture {
public:
    void SetUp(const benchmark::State&) override
    {
        folder = std::filesystem::temp_directory_path() / "kg-bench-graphics";
        std::filesystem::create_directories(folder);
        qvxPath = (folder / "background.qvx").string();
        pcxPath = (folder / "background.pcx").string();
        const BYTE method = qvx::SmallestMethod(Background().image);
        qvx::WriteBytes(qvxPath.c_str(), qvx::QvxFile(Background(), method));
        qvx::WriteBytes(pcxPath.c_str(), PcxFile(Background()));
        DirectDrawCreate(nullptr, &directDraw, nullptr);
        picture = LoadSurface(qvxPath.c_str());
        screen = CreateVideoSurface(width, height);
    }
    void TearDown(const benchmark::State&) override
    {
        directDraw->Release();
        directDraw = nullptr;
        std::filesystem::remove_all(folder);
    }

    std::filesystem::path folder;
    std::string qvxPath;
    std::string pcxPath;
    LPDIRECTDRAWSURFACE picture = nullptr;
    LPDIRECTDRAWSURFACE screen = nullptr;
};

BENCHMARK_F(Screen, LoadSurface)(benchmark::State& state)
{
    for (auto _ : state) {
        LPDIRECTDRAWSURFACE loaded = LoadSurface(qvxPath.c_str());
        benchmark::DoNotOptimize(loaded);
        loaded->Release();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * screenBytes));
}

BENCHMARK_F(Screen, SdlImagePcx)(benchmark::State& state)
{
    for (auto _ : state) {
        SDL_Surface* loaded = IMG_Load(pcxPath.c_str());
        benchmark::DoNotOptimize(loaded);
        SDL_FreeSurface(loaded);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * screenBytes));
}

BENCHMARK_F(Screen, BltFastPlain)(benchmark::State& state)
{
    for (auto _ : state) screen->BltFast(0, 0, picture, nullptr, DDBLTFAST_WAIT);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * screenBytes));
}

BENCHMARK_F(Screen, BltFastKeyed)(benchmark::State& state)
{
    SetSurfaceColorKey(picture, 70); // one of the earth colours: about a tenth of the pixels
    for (auto _ : state) {
        screen->BltFast(0, 0, picture, nullptr, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * screenBytes));
}

BENCHMARK_F(Screen, BltStretch)(benchmark::State& state)
{
    RECT quarter {0, 0, width / 2, height / 2};
    for (auto _ : state) screen->Blt(nullptr, picture, &quarter, DDBLT_WAIT, nullptr);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * screenBytes));
}

// The title's zoom at its start: a keyed sprite (a disc on its key colour, as the title's
// pictures are) stretched over the whole field, three times a frame for two hundred frames of
// every run's title, which every verification replays.
BENCHMARK_F(Screen, BltStretchKeyed)(benchmark::State& state)
{
    constexpr int spriteWidth = 166;
    constexpr int spriteHeight = 140;
    constexpr BYTE key = 254;
    LPDIRECTDRAWSURFACE sprite = CreateVideoSurface(spriteWidth, spriteHeight);
    DDSURFACEDESC desc {};
    desc.dwSize = DDSURFACEDESC_SIZE;
    if (sprite == nullptr || sprite->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK) {
        state.SkipWithError("no sprite");
        return;
    }
    auto* pixels = static_cast<BYTE*>(desc.lpSurface);
    for (int y = 0; y < spriteHeight; ++y) {
        for (int x = 0; x < spriteWidth; ++x) {
            const int dx = 2 * x - spriteWidth;
            const int dy = 2 * y - spriteHeight;
            const bool inside = dx * dx + dy * dy < spriteHeight * spriteHeight;
            pixels[y * desc.lPitch + x] = inside ? static_cast<BYTE>(16 + (x ^ y) % 200) : key;
        }
    }
    sprite->Unlock(nullptr);
    SetSurfaceColorKey(sprite, key);
    RECT field {0, 0, width, 440};
    for (auto _ : state) screen->Blt(&field, sprite, nullptr, DDBLT_KEYSRC | DDBLT_WAIT, nullptr);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * width * 440));
    sprite->Release();
}

} // namespace
