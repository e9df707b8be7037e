#include "world/killer_table.h"

#include <bit>

static_assert(std::endian::native == std::endian::little,
              "entries are read from the file as they are");

DWORD FindKillerPlace(const KillerEntry* table, DWORD runKills)
{
    DWORD place = 0;
    while (place < KILLER_COUNT && table[place].kills >= runKills) ++place;
    return place;
}

void MakeRoomForKiller(KillerEntry* table, DWORD place)
{
    for (DWORD j = KILLER_COUNT - 1; j > place; --j) table[j] = table[j - 1];
}

void TerminateKillerNames(KillerEntry* table)
{
    for (DWORD k = 0; k < KILLER_COUNT; ++k) table[k].name[KILLER_NAME_LIMIT] = '\0';
}

void PrintableName(const char* name, char (&shown)[sizeof(KillerEntry::name)])
{
    DWORD length = 0;
    for (DWORD i = 0; i < KILLER_NAME_LIMIT && name[i] != '\0'; ++i) {
        const auto c = static_cast<BYTE>(name[i]);
        if ((c >= 0x20 && c < 0x7F) || c >= 0xA0) shown[length++] = name[i];
    }
    shown[length] = '\0';
}
