#include <cstring>

#include "graphics/image_reader.h"
#include "tests/graphics/graphics_fixture.h"

namespace {

constexpr BYTE sentinel = 0xA5;

class DamagedFileTest : public test::GraphicsTest {
protected:
    // A 48 x 48 surface (as the packs' sprites use) whose every byte, row padding included,
    // holds the sentinel.
    LPDIRECTDRAWSURFACE Target()
    {
        LPDIRECTDRAWSURFACE surface = CreateSystemSurface(48, 48);
        DDSURFACEDESC desc {};
        desc.dwSize = DDSURFACEDESC_SIZE;
        surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr);
        std::memset(desc.lpSurface, sentinel,
                    static_cast<std::size_t>(desc.lPitch) * desc.dwHeight);
        surface->Unlock(nullptr);
        return surface;
    }
    // True when no byte past the end of any row was written.
    static bool PaddingIntact(LPDIRECTDRAWSURFACE surface)
    {
        DDSURFACEDESC desc {};
        desc.dwSize = DDSURFACEDESC_SIZE;
        surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr);
        const auto* bytes = static_cast<const BYTE*>(desc.lpSurface);
        bool intact = true;
        for (DWORD y = 0; y < desc.dwHeight; ++y) {
            for (LONG x = static_cast<LONG>(desc.dwWidth); x < desc.lPitch; ++x) {
                intact = intact && bytes[y * desc.lPitch + x] == sentinel;
            }
        }
        surface->Unlock(nullptr);
        return intact;
    }
    // Reads the file both ways the game does: into the fixed surface, and by LoadSurface.
    void ReadBothWays(const qvx::Bytes& file, DWORD* fixedResult, DWORD* loadResult, bool* loaded)
    {
        WriteBytes("d.qvx", file);
        LPDIRECTDRAWSURFACE target = Target();
        *fixedResult = ReadImageFileResult(target, "d.qvx");
        EXPECT_TRUE(PaddingIntact(target));
        target->Release();
        LPDIRECTDRAWSURFACE surface = LoadSurface("d.qvx", loadResult);
        *loaded = surface != nullptr;
        if (surface != nullptr) surface->Release();
    }
    static qvx::Bytes Original(BYTE method)
    {
        return qvx::QvxFile({TestImage(64, 40), RampPalette(), 254}, method);
    }
};

TEST_F(DamagedFileTest, EveryTruncationEndsTheStreamHarmlessly)
{
    for (BYTE method : qvx::packingMethods) {
        const qvx::Bytes file = Original(method);
        // Every cut through the headers and the first rows, then one in seven.
        for (std::size_t cut = 0; cut < file.size(); cut += cut < 200 ? 1 : 7) {
            DWORD fixed = 0;
            DWORD load = 0;
            bool loaded = false;
            ReadBothWays(qvx::Bytes(file.begin(), file.begin() + cut), &fixed, &load, &loaded);
            if (cut >= 16) {
                EXPECT_EQ(fixed, IMG_STREAM_ENDED) << int(method) << " cut " << cut;
            }
            if (loaded) {
                EXPECT_EQ(load, IMG_STREAM_ENDED) << int(method) << " cut " << cut;
            }
        }
        DWORD fixed = 1;
        DWORD load = 1;
        bool loaded = false;
        ReadBothWays(file, &fixed, &load, &loaded);
        EXPECT_EQ(fixed, 0u);
        EXPECT_TRUE(loaded);
        EXPECT_EQ(load, 0u);
    }
}

} // namespace
