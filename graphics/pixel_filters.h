#pragma once
// Pixel format filters: colours and pixel rows in one 16-bit screen layout (5-5-5, 5-6-5 or
// any layout described by its channel masks). Pixels are read from 5-6-5 images.

#include "graphics/image_format.h"
#include "platform/ddraw.h"

struct PixelFilter;

// One static table per filter kind; every operation takes the filter first.
struct PixelFilterOperations {
    DWORD (*Destroy)(PixelFilter* filter);
    DWORD (*SetFormat)(PixelFilter* filter, const DDPIXELFORMAT* format);
    const char* (*GetName)(PixelFilter* filter);
    // colour as 0x00BBGGRR
    DWORD (*MakeColor)(PixelFilter* filter, DWORD colour);
    DWORD (*MakeColorRGB)(PixelFilter* filter, DWORD red, DWORD green, DWORD blue);
    DWORD (*ConvertRow)(PixelFilter* filter, void* row, DWORD count);
    DWORD (*ConvertBitmap)(PixelFilter* filter, const BitmapRef* bitmap);
    DWORD (*HalveRow)(PixelFilter* filter, void* row, DWORD count);
    DWORD (*BlendRow)(PixelFilter* filter, void* row, DWORD count, DWORD colour);
    // Null for the generic filter.
    DWORD (*BlendColumn)(PixelFilter* filter, void* first, DWORD stride, DWORD count, DWORD colour);
};

struct ChannelField {
    DWORD mask;
    DWORD shift; // zero bits below the mask's lowest set bit
    DWORD bits;  // set bits among bits 0 to 15
};

struct PixelFilter {
    const PixelFilterOperations* operations;
    ChannelField red;
    ChannelField green;
    ChannelField blue;
};

// Heap objects (MemAlloc); null when memory is short. The fixed filters start with their own
// masks, the generic one with none until SetFormat.
PixelFilter* Create555Filter();
PixelFilter* Create565Filter();
PixelFilter* CreateGenericFilter();
