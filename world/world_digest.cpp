#include "world/world_digest.h"

#include <bit>
#include <initializer_list>

#include "graphics/shared_surfaces.h"
#include "platform/replay/digest.h"
#include "world/blood.h"
#include "world/creatures.h"
#include "world/ground.h"
#include "world/pixel_target.h"
#include "world/play_state.h"

namespace {

// Collects the world's small fields as 64-bit words and hands them to the digest in long runs,
// which it takes fastest. Words, not bytes: a byte buffer could alias every field read, which
// would make the compiler reload each one.
class Gathered {
public:
    explicit Gathered(platform::Digest& target) : digest(target) {}
    ~Gathered() { Flush(); }
    Gathered(const Gathered&) = delete;
    Gathered& operator=(const Gathered&) = delete;

    void Word(std::uint64_t value)
    {
        if (size == wordCount) Flush();
        words[size++] = value;
    }
    void Pair(DWORD low, DWORD high) { Word(low | std::uint64_t {high} << 32); }
    // Bytes come in eight to a word.
    void Byte(BYTE value)
    {
        partial |= std::uint64_t {value} << (8 * partialBytes);
        if (++partialBytes < 8) return;
        Word(partial);
        partial = 0;
        partialBytes = 0;
    }
    void Bytes(const void* data, std::size_t count)
    {
        Flush();
        digest.Add(data, count);
    }

private:
    void Flush()
    {
        if (partialBytes > 0) {
            words[size++ % wordCount] = partial;
            partial = 0;
            partialBytes = 0;
        }
        // The digest reads little-endian words.
        if constexpr (std::endian::native == std::endian::big) {
            for (std::uint32_t i = 0; i < size; ++i) words[i] = __builtin_bswap64(words[i]);
        }
        digest.Add(words, size * sizeof words[0]);
        size = 0;
    }

    static constexpr std::uint32_t wordCount = 512;
    platform::Digest& digest;
    std::uint64_t words[wordCount];
    std::uint32_t size = 0;
    std::uint64_t partial = 0;
    std::uint32_t partialBytes = 0;
};

// Which of the captured pictures a creature shows, so the digest holds no address.
DWORD SpriteNumber(const BYTE* sprite)
{
    for (DWORD type = 0; type < CREATURE_TYPES; ++type) {
        if (creatureSprites[type] != nullptr && sprite == creatureSprites[type]) return type;
    }
    return sprite == nullptr ? CREATURE_TYPES + 1 : CREATURE_TYPES;
}

void AddColumns(Gathered& out)
{
    if (groundLine == nullptr || stainDepth == nullptr) return;
    for (DWORD x = 0; x < GROUND_WIDTH; ++x) out.Pair(groundLine[x], stainDepth[x]);
}

void AddCreatures(Gathered& out)
{
    if (creatures == nullptr) return;
    for (DWORD slot = 0; slot < CREATURE_COUNT; ++slot) {
        const Creature& creature = creatures[slot];
        out.Pair(creature.topRow, creature.baseRow);
        out.Pair(creature.x, creature.y);
        out.Pair(static_cast<DWORD>(creature.state), SpriteNumber(creature.sprite));
    }
}

// A free drop's fields are all set anew when it starts, so only its state counts.
void AddDrops(Gathered& out)
{
    if (bloodDrops == nullptr) return;
    const BloodDrop* drops = bloodDrops;
    for (DWORD k = 0; k < DROP_COUNT; ++k) {
        const BloodDrop& drop = drops[k];
        if (drop.state == DROP_FREE) {
            out.Word(DROP_FREE);
            continue;
        }
        out.Word(drop.state | drop.tailColor << 8 | drop.headColor << 16);
        out.Pair(static_cast<DWORD>(drop.x), static_cast<DWORD>(drop.y));
        out.Pair(static_cast<DWORD>(drop.dx), static_cast<DWORD>(drop.dy));
    }
    out.Word(dropCursor);
}

void AddScores(Gathered& out)
{
    for (LONG field : {score, peakScore, populationThreshold, messageTimeLeft})
        out.Word(static_cast<DWORD>(field));
    for (DWORD field :
         {kills, killStreak, messageKind, messageColor, bloodBonusThreshold, hudBlink})
        out.Word(field);
    out.Bytes(messageText, sizeof messageText);
}

// Stains are painted from the ground line down to a quarter of the column's stain depth.
void AddStainedBand(Gathered& out, const PixelTarget& scene)
{
    const DWORD* ground = groundLine;
    const DWORD* stains = stainDepth;
    if (ground == nullptr || stains == nullptr) return;
    for (DWORD x = 0; x < scene.width && x < GROUND_WIDTH; ++x) {
        const DWORD last = ground[x] + stains[x] / 4 + 1;
        for (DWORD y = ground[x]; y <= last && y < scene.height; ++y)
            out.Byte(scene.pixels[static_cast<std::ptrdiff_t>(y) * scene.pitch + x]);
    }
}

void AddScene(Gathered& out, bool everyPixel)
{
    if (sceneBackground == nullptr) return;
    const PixelTarget scene = LockPixels(sceneBackground);
    if (scene.pixels == nullptr) return;
    if (!everyPixel) AddStainedBand(out, scene);
    for (DWORD y = 0; everyPixel && y < scene.height; ++y)
        out.Bytes(scene.pixels + static_cast<std::ptrdiff_t>(y) * scene.pitch, scene.width);
    UnlockPixels(sceneBackground, scene);
}

} // namespace

std::uint64_t WorldDigest(bool everyPixel)
{
    platform::Digest digest;
    {
        Gathered out(digest);
        AddColumns(out);
        AddCreatures(out);
        AddDrops(out);
        AddScores(out);
        AddScene(out, everyPixel);
    }
    return digest.Value();
}
