#include "sound/pack_image.h"

#include "graphics/image_format.h"
#include "graphics/image_reader.h"
#include "support/debug_log.h"

void LoadPackImage(LPDIRECTDRAWSURFACE surface, PackArchive* pack, DWORD index)
{
    // The directory's type tag stands in for the file header an image file would start with.
    if (GetPackEntryType(pack, index) != QVX_MAGIC) LogFilePrintf("Non è un QVX3 Valido...");
    else ReadImageChunks(surface, SeekPackEntry(pack, index));
    if ((pack->flags & PACK_CLOSE_AFTER_USE) != 0) ReleasePackHandle(pack);
}
