// Allocation wrappers: they never stop the program, a refused request answers null.

#include "support/memory.h"

#include <cstdlib>
#include <cstring>

#include "support/debug_log.h"

void* MemAlloc(DWORD size, const char* tag)
{
    if (size == 0 || size >= MEM_ALLOC_LIMIT) {
        if (tag != nullptr) DebugPrintf("OUTRANGE in %s: ", tag);
        else DebugPrintf("OUTRANGE: ");
        DebugPrintf(size != 0 ? "OUT OF STDALLOC MEMORY RANGE\r\n"
                              : "CAN'T ALLOCATE ZERO BYTE\r\n");
        return nullptr;
    }
    void* block = std::calloc(size, 1);
    if (block == nullptr) {
        if (tag != nullptr)
            DebugPrintf("MEMORY ERROR in %s: CAN'T ALLOCATE %u BYTES\r\n", tag, size);
        else DebugPrintf("MEMORY ERROR: %u BYTES\r\n", size);
    }
    return block;
}

void MemFree(void* block)
{
    if (block == nullptr) {
        DebugLine("ERROR: Try To Free NULL Pointer ???");
        return;
    }
    std::free(block);
}

char* CloneString(const char* text)
{
    if (text == nullptr) return nullptr;
    const auto size = static_cast<DWORD>(std::strlen(text) + 1);
    auto* copy = static_cast<char*>(MemAlloc(size, "CLNSTRING"));
    if (copy != nullptr) std::memcpy(copy, text, size);
    return copy;
}
