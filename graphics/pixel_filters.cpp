// The three pixel format filters. Row operations take two pixels at a time as one 32-bit word;
// clearing each channel's lowest bit first lets one shift halve every channel of both.

#include "graphics/pixel_filters.h"

#include <bit>
#include <cstring>
#include <initializer_list>

#include "support/memory.h"

namespace {

constexpr DWORD mask555 = 0x7BDE;
constexpr DWORD mask565 = 0xF7DE;

WORD LoadPixel(const BYTE* at)
{
    WORD pixel;
    std::memcpy(&pixel, at, 2);
    return pixel;
}
void StorePixel(BYTE* at, DWORD pixel)
{
    const auto value = static_cast<WORD>(pixel);
    std::memcpy(at, &value, 2);
}
DWORD LoadPair(const BYTE* at)
{
    DWORD pair;
    std::memcpy(&pair, at, 4);
    return pair;
}
void StorePair(BYTE* at, DWORD pair) { std::memcpy(at, &pair, 4); }

ChannelField Analyse(DWORD mask)
{
    return {mask, mask == 0 ? 0u : static_cast<DWORD>(std::countr_zero(mask)),
            static_cast<DWORD>(std::popcount(mask & 0xFFFF))};
}

PixelFilter* Create(const PixelFilterOperations* operations, DWORD red, DWORD green, DWORD blue)
{
    auto* filter = static_cast<PixelFilter*>(MemAlloc(sizeof(PixelFilter)));
    if (filter == nullptr) return nullptr;
    *filter = {operations, Analyse(red), Analyse(green), Analyse(blue)};
    return filter;
}

DWORD Destroy(PixelFilter* filter)
{
    MemFree(filter);
    return 0;
}

DWORD SetFormat(PixelFilter* filter, const DDPIXELFORMAT* format)
{
    filter->red = Analyse(format->dwRBitMask);
    filter->green = Analyse(format->dwGBitMask);
    filter->blue = Analyse(format->dwBBitMask);
    return 0;
}

DWORD Red(DWORD colour) { return colour & 0xFF; }
DWORD Green(DWORD colour) { return (colour >> 8) & 0xFF; }
DWORD Blue(DWORD colour) { return (colour >> 16) & 0xFF; }

DWORD Pack565(DWORD r, DWORD g, DWORD b)
{
    return ((r & 0xF8) << 8) + ((g & 0xFC) << 3) + (b >> 3);
}
DWORD Pack555(DWORD r, DWORD g, DWORD b)
{
    return ((r & 0xF8) << 7) + ((g & 0xF8) << 2) + (b >> 3);
}

// The halving and blending row loops, for a fixed layout's channel mask m.
template <DWORD m> DWORD HalveRow(PixelFilter*, void* row, DWORD count)
{
    constexpr DWORD pairMask = m | (m << 16);
    auto* at = static_cast<BYTE*>(row);
    for (; count >= 2; count -= 2, at += 4) StorePair(at, (LoadPair(at) & pairMask) >> 1);
    if (count == 1) StorePixel(at, (LoadPixel(at) & m) >> 1);
    return 0;
}

template <DWORD m> DWORD BlendRow(PixelFilter*, void* row, DWORD count, DWORD colour)
{
    constexpr DWORD pairMask = m | (m << 16);
    const DWORD half = (colour & m) >> 1;
    const DWORD halfPair = half | (half << 16);
    auto* at = static_cast<BYTE*>(row);
    for (; count >= 2; count -= 2, at += 4) {
        StorePair(at, ((LoadPair(at) & pairMask) >> 1) + halfPair);
    }
    if (count == 1) StorePixel(at, ((LoadPixel(at) & m) >> 1) + half);
    return 0;
}

template <DWORD m>
DWORD BlendColumn(PixelFilter*, void* first, DWORD stride, DWORD count, DWORD colour)
{
    const DWORD half = (colour & m) >> 1;
    auto* at = static_cast<BYTE*>(first);
    for (; count > 0; --count, at += stride) StorePixel(at, ((LoadPixel(at) & m) >> 1) + half);
    return 0;
}

DWORD ConvertBitmap(PixelFilter* filter, const BitmapRef* bitmap)
{
    BYTE* row = bitmap->address;
    for (DWORD y = 0; y < bitmap->height; ++y, row += bitmap->pitch) {
        filter->operations->ConvertRow(filter, row, bitmap->width);
    }
    return 0;
}

DWORD Nothing(PixelFilter*, void*, DWORD) { return 0; }
DWORD NoBitmap(PixelFilter*, const BitmapRef*) { return 0; }

// ---- 5-5-5 ----

const char* Name555(PixelFilter*) { return "555 COM Filter [Ostrel Vandt, 18.12.1999]"; }
DWORD MakeColor555(PixelFilter*, DWORD c) { return Pack555(Red(c), Green(c), Blue(c)); }
DWORD MakeColorRGB555(PixelFilter*, DWORD r, DWORD g, DWORD b) { return Pack555(r, g, b); }

// 5-6-5 to 5-5-5: blue stays, red moves down one place, green keeps its top bits.
DWORD ConvertRow555(PixelFilter*, void* row, DWORD count)
{
    auto* at = static_cast<BYTE*>(row);
    for (DWORD i = 0; i < count; ++i, at += 2) {
        const WORD p = LoadPixel(at);
        StorePixel(at, (p & 0x1F) + ((p >> 1) & 0x7FC0));
    }
    return 0;
}

const PixelFilterOperations operations555 = {
    Destroy,       SetFormat,     Name555,           MakeColor555,      MakeColorRGB555,
    ConvertRow555, ConvertBitmap, HalveRow<mask555>, BlendRow<mask555>, BlendColumn<mask555>,
};

// ---- 5-6-5 ----

const char* Name565(PixelFilter*) { return "565 COM Filter [Ostrel Vandt, 18.12.1999]"; }
DWORD MakeColor565(PixelFilter*, DWORD c) { return Pack565(Red(c), Green(c), Blue(c)); }
DWORD MakeColorRGB565(PixelFilter*, DWORD r, DWORD g, DWORD b) { return Pack565(r, g, b); }

const PixelFilterOperations operations565 = {
    Destroy, SetFormat, Name565,           MakeColor565,      MakeColorRGB565,
    Nothing, NoBitmap,  HalveRow<mask565>, BlendRow<mask565>, BlendColumn<mask565>,
};

// ---- generic ----

const char* NameGeneric(PixelFilter*) { return "Generic COM Filter [Ostrel Vandt, 18.12.1999]"; }

// The top bits of the colour's channel byte (at bit source) land in the channel's field.
DWORD Place(DWORD colour, const ChannelField& field, int source)
{
    const int d = static_cast<int>(field.bits + field.shift) - 8 - source;
    const DWORD moved = d > 0 ? colour << d : colour >> -d;
    return moved & field.mask;
}

DWORD MakeColorGeneric(PixelFilter* f, DWORD c)
{
    return Place(c, f->red, 0) | Place(c, f->green, 8) | Place(c, f->blue, 16);
}

DWORD MakeColorRGBGeneric(PixelFilter*, DWORD, DWORD, DWORD) { return 0; }

// Per channel: each channel value of p is halved, and half of c's is added when blending.
DWORD MixChannels(const PixelFilter& f, DWORD p, DWORD c, bool blend)
{
    DWORD result = 0;
    for (const ChannelField* field : {&f.red, &f.green, &f.blue}) {
        const DWORD value = (p & field->mask) >> field->shift;
        const DWORD other = blend ? ((c & field->mask) >> field->shift) >> 1 : 0;
        result |= (((value >> 1) + other) << field->shift) & field->mask;
    }
    return result;
}

DWORD HalveRowGeneric(PixelFilter* f, void* row, DWORD count)
{
    auto* at = static_cast<BYTE*>(row);
    for (DWORD i = 0; i < count; ++i, at += 2)
        StorePixel(at, MixChannels(*f, LoadPixel(at), 0, false));
    return 0;
}

DWORD BlendRowGeneric(PixelFilter* f, void* row, DWORD count, DWORD colour)
{
    auto* at = static_cast<BYTE*>(row);
    for (DWORD i = 0; i < count; ++i, at += 2)
        StorePixel(at, MixChannels(*f, LoadPixel(at), colour, true));
    return 0;
}

const PixelFilterOperations operationsGeneric = {
    Destroy, SetFormat,     NameGeneric,     MakeColorGeneric, MakeColorRGBGeneric,
    Nothing, ConvertBitmap, HalveRowGeneric, BlendRowGeneric,  nullptr,
};

} // namespace

PixelFilter* Create555Filter() { return Create(&operations555, 0x7C00, 0x03E0, 0x001F); }
PixelFilter* Create565Filter() { return Create(&operations565, 0xF800, 0x07E0, 0x001F); }
PixelFilter* CreateGenericFilter() { return Create(&operationsGeneric, 0, 0, 0); }
