#pragma once
// A run's world on plain 640 x 480 system-memory surfaces, with the original runtime's random
// generator written out independently so that expected values come from its formula.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/ddraw.h"
#include "platform/dsound.h"
#include "tests/common/test_support.h"
#include "world/creatures.h"

namespace test {

class ReferenceRand {
public:
    explicit ReferenceRand(std::uint32_t seed) : state(seed) {}
    int Next()
    {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }
    // Skips n results.
    void Skip(std::uint64_t n)
    {
        while (n-- > 0) Next();
    }

private:
    std::uint32_t state;
};

// The result that follows `calls` results after `seed` was planted: the game's generator gives
// it next exactly when the code under test made that many calls.
inline int ResultAfter(std::uint32_t seed, std::uint64_t calls)
{
    ReferenceRand reference(seed);
    reference.Skip(calls);
    return reference.Next();
}

inline constexpr BYTE BACKDROP = 7; // both surfaces start filled with it

class WorldTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static BYTE Pixel(LPDIRECTDRAWSURFACE surface, DWORD x, DWORD y);
    static std::vector<BYTE> Pixels(LPDIRECTDRAWSURFACE surface);
    static void FlatGround(DWORD row);
    // A creature placed by hand, as a spawn would leave it.
    static Creature& Place(DWORD slot, DWORD x, DWORD y, const BYTE* sprite);
    // Every drop slot busy except the given ones.
    static void FillDrops(std::vector<DWORD> freeSlots = {});
    // A sound device mixing into nothing, and a short pop buffer in popSounds[slot].
    LPDIRECTSOUNDBUFFER MakePop(DWORD slot);
    static bool Playing(LPDIRECTSOUNDBUFFER buffer);

    std::vector<BYTE> solidSprite = std::vector<BYTE>(SPRITE_PIXELS, 150);

private:
    LPDIRECTSOUND sound = nullptr;
    DebuggerCapture debugger; // the log lines of failures the tests provoke
};

} // namespace test
