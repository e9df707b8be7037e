// Blits: plain, keyed, stretched (nearest neighbour) and colour fills, always clipped to the
// target surface so that nothing is written outside it.

#include <algorithm>
#include <vector>

#include "platform/ddraw/pixel_rows.h"
#include "platform/ddraw/store.h"
#include "platform/ddraw/stretched_row.h"
#include "platform/fault.h"

using namespace platform::ddraw;

namespace {

// Source pixels for a blit: a surface's, or a private copy when a surface blits onto itself.
struct SourceView {
    const BYTE* pixels;
    std::size_t pitch;
    const BYTE* Row(LONG y) const { return pixels + static_cast<std::size_t>(y) * pitch; }
};

bool IsWellFormed(const RECT& rect) { return rect.left < rect.right && rect.top < rect.bottom; }

bool IsInside(const RECT& rect, const SurfaceObject& surface)
{
    const RECT whole = surface.Whole();
    return IsWellFormed(rect) && rect.left >= 0 && rect.top >= 0 && rect.right <= whole.right
           && rect.bottom <= whole.bottom;
}

KeyRange KeyOf(const SurfaceObject& source, bool keyed)
{
    if (!keyed || !source.hasSourceKey) return {};
    return {source.sourceKey.dwColorSpaceLowValue,
            std::min<DWORD>(source.sourceKey.dwColorSpaceHighValue, 255)};
}

// The source positions sampled for the target positions i, i + 1, ... of n over a source span of
// m: (2i + 1) m / 2n, kept as a quotient and a remainder that each step adds to, instead of a
// division for every pixel.
class Sampler {
public:
    Sampler(LONG i, LONG n, LONG m)
        : divisor(2 * static_cast<std::int64_t>(n)),
          stepQuotient(2 * static_cast<std::int64_t>(m) / divisor),
          stepRemainder(2 * static_cast<std::int64_t>(m) % divisor)
    {
        const std::int64_t first = (2 * static_cast<std::int64_t>(i) + 1) * m;
        quotient = first / divisor;
        remainder = first % divisor;
    }
    LONG Next()
    {
        const auto sampled = static_cast<LONG>(quotient);
        quotient += stepQuotient;
        remainder += stepRemainder;
        if (remainder >= divisor) {
            remainder -= divisor;
            ++quotient;
        }
        return sampled;
    }

private:
    std::int64_t divisor;
    std::int64_t stepQuotient;
    std::int64_t stepRemainder;
    std::int64_t quotient = 0;
    std::int64_t remainder = 0;
};

// Copies source rectangle from into target rectangle to of dest (stretching when their sizes
// differ); only the part of to that lies on dest is drawn.
void Copy(SurfaceObject& dest, const RECT& to, const SurfaceObject& source, const RECT& from,
          KeyRange key)
{
    const RECT whole = dest.Whole();
    const LONG left = std::max(to.left, whole.left);
    const LONG right = std::min(to.right, whole.right);
    const LONG top = std::max(to.top, whole.top);
    const LONG bottom = std::min(to.bottom, whole.bottom);
    if (left >= right || top >= bottom) return;

    std::vector<BYTE> copy;
    SourceView view {source.pixels.get(), static_cast<std::size_t>(source.pitch)};
    if (&source == &dest) {
        copy.assign(source.pixels.get(),
                    source.pixels.get() + static_cast<std::size_t>(source.pitch) * source.height);
        view.pixels = copy.data();
    }
    const LONG toWidth = to.right - to.left;
    const LONG toHeight = to.bottom - to.top;
    const LONG fromWidth = from.right - from.left;
    const LONG fromHeight = from.bottom - from.top;
    const auto count = static_cast<DWORD>(right - left);
    if (toWidth == fromWidth && toHeight == fromHeight) {
        for (LONG y = top; y < bottom; ++y) {
            const BYTE* row = view.Row(from.top + y - to.top) + from.left + (left - to.left);
            CopyRow(dest.Row(static_cast<DWORD>(y)) + left, row, count, key);
        }
    } else {
        std::vector<DWORD> columns(count);
        Sampler column(left - to.left, toWidth, fromWidth);
        for (DWORD& sampled : columns) sampled = static_cast<DWORD>(from.left + column.Next());
        StretchedRow stretched(std::move(columns), key);
        Sampler row(top - to.top, toHeight, fromHeight);
        for (LONG y = top; y < bottom; ++y) {
            const LONG sourceY = from.top + row.Next();
            stretched.Sample(sourceY, view.Row(sourceY));
            stretched.Draw(dest.Row(static_cast<DWORD>(y)) + left);
        }
    }
    NoteChange(&dest, {left, top, right, bottom});
}

void Fill(SurfaceObject& dest, const RECT& to, BYTE colour)
{
    const LONG left = std::max<LONG>(to.left, 0);
    const LONG right = std::min<LONG>(to.right, static_cast<LONG>(dest.width));
    const LONG top = std::max<LONG>(to.top, 0);
    const LONG bottom = std::min<LONG>(to.bottom, static_cast<LONG>(dest.height));
    if (left >= right || top >= bottom) return;
    for (LONG y = top; y < bottom; ++y) {
        std::memset(dest.Row(static_cast<DWORD>(y)) + left, colour,
                    static_cast<std::size_t>(right - left));
    }
    NoteChange(&dest, {left, top, right, bottom});
}

} // namespace

HRESULT IDirectDrawSurface::BltFast(DWORD x, DWORD y, LPDIRECTDRAWSURFACE source, RECT* sourceRect,
                                    DWORD trans)
{
    if (const HRESULT failure = platform::InjectedFailure("BltFast")) return failure;
    SurfaceObject* self = Object(this);
    if (source == nullptr) return DDERR_INVALIDPARAMS;
    const SurfaceObject* from = Object(source);
    const RECT area = sourceRect != nullptr ? *sourceRect : from->Whole();
    if (!IsInside(area, *from)) return DDERR_INVALIDRECT;
    if (self->Busy() || from->Busy()) return DDERR_SURFACEBUSY;
    // The position is signed on the wire: a target left of or above the surface is clipped.
    const auto left = static_cast<LONG>(x);
    const auto top = static_cast<LONG>(y);
    const RECT to {left, top, left + (area.right - area.left), top + (area.bottom - area.top)};
    Copy(*self, to, *from, area, KeyOf(*from, (trans & DDBLTFAST_SRCCOLORKEY) != 0));
    return DD_OK;
}

HRESULT IDirectDrawSurface::Blt(RECT* destRect, LPDIRECTDRAWSURFACE source, RECT* sourceRect,
                                DWORD flags, DDBLTFX* fx)
{
    if (const HRESULT failure = platform::InjectedFailure("Blt")) return failure;
    SurfaceObject* self = Object(this);
    const RECT to = destRect != nullptr ? *destRect : self->Whole();
    if (!IsWellFormed(to)) return DDERR_INVALIDRECT;
    if (flags & DDBLT_COLORFILL) {
        if (fx == nullptr || fx->dwSize != DDBLTFX_SIZE) return DDERR_INVALIDPARAMS;
        if (self->Busy()) return DDERR_SURFACEBUSY;
        Fill(*self, to, static_cast<BYTE>(fx->dwFillColor));
        return DD_OK;
    }
    if (source == nullptr) return DDERR_INVALIDPARAMS;
    const SurfaceObject* from = Object(source);
    const RECT area = sourceRect != nullptr ? *sourceRect : from->Whole();
    if (!IsInside(area, *from)) return DDERR_INVALIDRECT;
    if (self->Busy() || from->Busy()) return DDERR_SURFACEBUSY;
    Copy(*self, to, *from, area, KeyOf(*from, (flags & DDBLT_KEYSRC) != 0));
    return DD_OK;
}
