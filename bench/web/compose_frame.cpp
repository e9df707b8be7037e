// One composed frame of play in WebAssembly, for Node: the loop of the native BM_ComposeFrame,
// timed by hand (there is no Google Benchmark for WebAssembly), so the two figures compare.

#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "bench/shell/play_field.h"
#include "shell/play_frame.h"
#include "world/blood.h"
#include "world/creatures.h"

int main()
{
    PlayField field;
    const DrawnCursor cursor {320, 240, {308, 228, 332, 252}};
    const std::vector<BloodDrop> drops(bloodDrops, bloodDrops + DROP_COUNT);
    const std::vector<Creature> start(creatures, creatures + CREATURE_COUNT);
    const auto frame = [&] {
        std::memcpy(bloodDrops, drops.data(), DROP_COUNT * sizeof(BloodDrop));
        std::memcpy(creatures, start.data(), CREATURE_COUNT * sizeof(Creature));
        ComposeFrame(cursor, 20);
    };
    using Clock = std::chrono::steady_clock;
    // Warmed up first, then as many frames as two seconds take.
    for (int i = 0; i < 200; ++i) frame();
    const auto begin = Clock::now();
    long frames = 0;
    while (Clock::now() - begin < std::chrono::seconds(2)) {
        for (int i = 0; i < 100; ++i) frame();
        frames += 100;
    }
    const std::chrono::duration<double, std::micro> took = Clock::now() - begin;
    std::printf("BM_ComposeFrame (WebAssembly, Node) %.1f us a frame, %ld frames\n",
                took.count() / static_cast<double>(frames), frames);
    return 0;
}
