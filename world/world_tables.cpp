#include "world/world_tables.h"

#include "support/memory.h"
#include "world/blood.h"
#include "world/creatures.h"
#include "world/ground.h"

void AllocWorldTables()
{
    groundLine = static_cast<DWORD*>(MemAlloc(GROUND_WIDTH * sizeof(DWORD)));
    stainDepth = static_cast<DWORD*>(MemAlloc(GROUND_WIDTH * sizeof(DWORD)));
    bloodDrops = static_cast<BloodDrop*>(MemAlloc(DROP_COUNT * sizeof(BloodDrop)));
    creatures = new Creature[CREATURE_COUNT] {};
}

void FreeWorldTables()
{
    MemFree(groundLine);
    MemFree(bloodDrops);
    MemFree(stainDepth);
    for (BYTE*& sprite : creatureSprites) {
        MemFree(sprite);
        sprite = nullptr;
    }
    delete[] creatures;
    groundLine = nullptr;
    bloodDrops = nullptr;
    stainDepth = nullptr;
    creatures = nullptr;
}
