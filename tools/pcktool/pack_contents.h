#pragma once
// A pack read through the game's own reader, with what a tool needs beyond it: where each
// entry's data ends.

#include <memory>
#include <string>
#include <vector>

#include "platform/windef.h"
#include "sound/pack_archive.h"

struct PackCloser {
    void operator()(PackArchive* pack) const { ClosePack(pack); }
};
using OpenedPack = std::unique_ptr<PackArchive, PackCloser>;

// Null, with a message on standard error, when the pack does not open.
OpenedPack OpenPackForTool(const std::string& name);
// The entry's bytes from its data offset up to the next entry's data or the end of the file.
std::vector<BYTE> EntryBytes(PackArchive* pack, DWORD index);
