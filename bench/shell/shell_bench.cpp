// The cost the player feels: one composed frame of play with the field full.

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "bench/shell/play_field.h"
#include "graphics/display_device.h"
#include "graphics/shared_surfaces.h"
#include "platform/present/screen_shadow.h"
#include "shell/play_assets.h"
#include "shell/play_frame.h"
#include "world/blood.h"
#include "world/creatures.h"

namespace {

void BM_ComposeFrame(benchmark::State& state)
{
    PlayField field;
    DrawnCursor cursor {320, 240, {308, 228, 332, 252}};
    const std::vector<BloodDrop> drops(bloodDrops, bloodDrops + DROP_COUNT);
    const std::vector<Creature> start(creatures, creatures + CREATURE_COUNT);
    for (auto _ : state) {
        // Restoring the field (about 12 KB) is counted in; it keeps every drop in the air.
        std::memcpy(bloodDrops, drops.data(), DROP_COUNT * sizeof(BloodDrop));
        std::memcpy(creatures, start.data(), CREATURE_COUNT * sizeof(Creature));
        ComposeFrame(cursor, 20);
    }
}
BENCHMARK(BM_ComposeFrame)->Unit(benchmark::kMicrosecond);

// The same frame, then what the presenter does to find what it must send: the changes the
// frame's writes left, refined against the picture last sent.
void BM_ComposeFrameAndFindChanges(benchmark::State& state)
{
    PlayField field;
    DrawnCursor cursor {320, 240, {308, 228, 332, 252}};
    const std::vector<BloodDrop> drops(bloodDrops, bloodDrops + DROP_COUNT);
    const std::vector<Creature> start(creatures, creatures + CREATURE_COUNT);
    platform::present::ScreenShadow shadow;
    platform::DisplayChanges changes;
    std::vector<RECT> rects;
    platform::DisplayView view {};
    platform::GetDisplayView(&view);
    for (auto _ : state) {
        std::memcpy(bloodDrops, drops.data(), DROP_COUNT * sizeof(BloodDrop));
        std::memcpy(creatures, start.data(), CREATURE_COUNT * sizeof(Creature));
        ComposeFrame(cursor, 20);
        platform::TakeDisplayChanges(changes);
        shadow.Refine(view, changes, rects);
    }
}
BENCHMARK(BM_ComposeFrameAndFindChanges)->Unit(benchmark::kMicrosecond);

} // namespace
