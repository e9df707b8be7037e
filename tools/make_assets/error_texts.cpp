#include "tools/make_assets/error_texts.h"

#include "platform/ddraw.h"
#include "platform/dsound.h"
#include "platform/winerror.h"

namespace {

const ErrorRecord errorTexts[] = {
    {static_cast<DWORD>(E_NOTIMPL), "the operation is not implemented"},
    {static_cast<DWORD>(E_NOINTERFACE), "the object does not offer the requested interface"},
    {static_cast<DWORD>(E_POINTER), "a required pointer was null"},
    {static_cast<DWORD>(E_FAIL), "unspecified failure"},
    {static_cast<DWORD>(E_OUTOFMEMORY), "out of memory"},
    {static_cast<DWORD>(E_INVALIDARG), "one or more arguments are not valid"},

    // The display's surface store (DirectDraw).
    {static_cast<DWORD>(DDERR_INVALIDCAPS),
     "the surface capabilities asked for do not go together"},
    {static_cast<DWORD>(DDERR_INVALIDMODE), "the display does not offer this mode"},
    {static_cast<DWORD>(DDERR_INVALIDPIXELFORMAT), "surfaces here hold 8-bit palette indices only"},
    {static_cast<DWORD>(DDERR_INVALIDRECT), "the rectangle is empty or lies outside the surface"},
    {static_cast<DWORD>(DDERR_NOCOOPERATIVELEVELSET), "the cooperative level has not been set yet"},
    {static_cast<DWORD>(DDERR_NOCOLORKEY), "the surface has no colour key"},
    {static_cast<DWORD>(DDERR_NOEXCLUSIVEMODE),
     "changing the display mode needs exclusive full-screen mode"},
    {static_cast<DWORD>(DDERR_NOTFOUND), "no attached surface has the capabilities asked for"},
    {static_cast<DWORD>(DDERR_OUTOFVIDEOMEMORY), "not enough video memory left for the surface"},
    {static_cast<DWORD>(DDERR_SURFACEBUSY), "the surface is locked or its device context is out"},
    {static_cast<DWORD>(DDERR_WASSTILLDRAWING),
     "the blitter was still busy with an earlier operation"},
    {static_cast<DWORD>(DDERR_PRIMARYSURFACEALREADYEXISTS),
     "the display already has a primary surface"},
    {static_cast<DWORD>(DDERR_NOPALETTEATTACHED), "no palette is attached to the surface"},
    {static_cast<DWORD>(DDERR_NOTLOCKED), "the surface was not locked"},
    {static_cast<DWORD>(DDERR_NODC), "this device context was not taken from the surface"},
    {static_cast<DWORD>(DDERR_DCALREADYCREATED), "the surface's device context is already out"},

    // The sound device and its buffers (the generic codes above serve it too).
    {static_cast<DWORD>(DSERR_ALLOCATED), "the sound device is already in use"},
    {static_cast<DWORD>(DSERR_CONTROLUNAVAIL),
     "the sound buffer was not created with the control this call needs"},
    {static_cast<DWORD>(DSERR_INVALIDCALL), "this call is not valid for this sound buffer"},
    {static_cast<DWORD>(DSERR_PRIOLEVELNEEDED),
     "the program's cooperative level on the sound device is too low for this call"},
    {static_cast<DWORD>(DSERR_BADFORMAT), "the sound format is not supported"},
    {static_cast<DWORD>(DSERR_NODRIVER), "no sound driver is available"},
    {static_cast<DWORD>(DSERR_ALREADYINITIALIZED), "the sound device is already initialised"},
    {static_cast<DWORD>(DSERR_NOAGGREGATION), "the sound objects cannot be aggregated"},
    {static_cast<DWORD>(DSERR_BUFFERLOST), "the sound buffer's memory was lost"},
    {static_cast<DWORD>(DSERR_OTHERAPPHASPRIO), "another program has priority on the sound device"},
    {static_cast<DWORD>(DSERR_UNINITIALIZED), "the sound device has not been initialised"},
};

} // namespace

std::span<const ErrorRecord> GameErrorTexts() { return errorTexts; }
