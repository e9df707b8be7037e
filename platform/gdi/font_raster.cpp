// FreeType glyphs laid side by side on one baseline, as the platform's text output places them
// (no kerning, whole-pixel advances).

#include "platform/font_raster.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>

#include "platform/gdi/font_handles.h"
#include "platform/host.h"

namespace platform {
namespace {

using fonts::Face;
using fonts::Library;

// Texts are UTF-8; a byte that does not start a valid sequence stands for itself (Latin-1).
std::vector<FT_ULong> CodePoints(std::string_view text)
{
    std::vector<FT_ULong> points;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        FT_ULong point = lead & (0x3F >> extra);
        bool valid = extra > 0 && i + extra < text.size();
        for (std::size_t k = 1; valid && k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            point = (point << 6) | (next & 0x3F);
        }
        if (valid) {
            points.push_back(point);
            i += extra + 1;
        } else {
            points.push_back(lead);
            i += 1;
        }
    }
    return points;
}

// The cell the platform sizes a font by: its Windows ascent and descent where the face has
// them, else its typographic ones.
void CellMetrics(FT_Face face, long& ascent, long& descent)
{
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
        ascent = os2->usWinAscent;
        descent = os2->usWinDescent;
    } else {
        ascent = face->ascender;
        descent = -face->descender;
    }
}

struct PlacedGlyph {
    int left = 0; // pen-relative, pixels
    int top = 0;  // rows below the cell top
    int width = 0;
    int rows = 0;
    std::vector<BYTE> coverage;
};

class FreeTypeFont final : public RasterFont {
public:
    FreeTypeFont(Library library, Face face, std::string family, int cellHeight)
        : library_(std::move(library)), face_(std::move(face)), family_(std::move(family)),
          cellHeight_(cellHeight)
    {
        long ascent = 0;
        long descent = 0;
        CellMetrics(face_.get(), ascent, descent);
        const double em = static_cast<double>(cellHeight) * face_->units_per_EM
                          / static_cast<double>(std::max(1L, ascent + descent));
        FT_Set_Char_Size(face_.get(), 0, static_cast<FT_F26Dot6>(std::lround(em * 64)), 72, 72);
        ascent_ = static_cast<int>(
            std::lround(static_cast<double>(cellHeight) * ascent / std::max(1L, ascent + descent)));
    }

    const std::string& FamilyName() const override { return family_; }
    int CellHeight() const override { return cellHeight_; }
    int Ascent() const override { return ascent_; }

    int Advance(std::string_view text) const override
    {
        int pen = 0;
        for (FT_ULong point : CodePoints(text)) pen += Load(point, FT_LOAD_DEFAULT);
        return pen;
    }

    TextCoverage Render(std::string_view text) const override
    {
        std::vector<std::pair<int, PlacedGlyph>> glyphs;
        int pen = 0;
        int inkLeft = 0;
        int inkRight = 0;
        for (FT_ULong point : CodePoints(text)) {
            const int advance = Load(point, FT_LOAD_RENDER);
            PlacedGlyph glyph = Capture();
            inkLeft = std::min(inkLeft, pen + glyph.left);
            inkRight = std::max(inkRight, pen + glyph.left + glyph.width);
            glyphs.emplace_back(pen, std::move(glyph));
            pen += advance;
        }
        TextCoverage out;
        out.originX = -inkLeft;
        out.width = std::max(pen, inkRight) - inkLeft;
        out.height = cellHeight_;
        out.ascent = ascent_;
        out.advance = pen;
        out.coverage.assign(static_cast<std::size_t>(out.width) * out.height, 0);
        for (const auto& [at, glyph] : glyphs) Paint(out, at + out.originX, glyph);
        return out;
    }

private:
    // Loads one glyph into the face's slot; answers its advance in whole pixels.
    int Load(FT_ULong point, FT_Int32 flags) const
    {
        const FT_UInt index = FT_Get_Char_Index(face_.get(), point);
        if (FT_Load_Glyph(face_.get(), index, flags | FT_LOAD_TARGET_NORMAL) != 0) return 0;
        return static_cast<int>((face_->glyph->advance.x + 32) >> 6);
    }

    PlacedGlyph Capture() const
    {
        const FT_GlyphSlot slot = face_->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        PlacedGlyph glyph;
        glyph.left = slot->bitmap_left;
        glyph.top = ascent_ - slot->bitmap_top;
        glyph.width = static_cast<int>(bitmap.width);
        glyph.rows = static_cast<int>(bitmap.rows);
        if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) glyph.width = glyph.rows = 0;
        for (int r = 0; r < glyph.rows; ++r) {
            const BYTE* row = bitmap.buffer + static_cast<std::ptrdiff_t>(r) * bitmap.pitch;
            glyph.coverage.insert(glyph.coverage.end(), row, row + glyph.width);
        }
        return glyph;
    }

    static void Paint(TextCoverage& out, int pen, const PlacedGlyph& glyph)
    {
        for (int r = 0; r < glyph.rows; ++r) {
            const int y = glyph.top + r;
            if (y < 0 || y >= out.height) continue; // ink beyond the cell is cut, as on screen
            for (int c = 0; c < glyph.width; ++c) {
                BYTE& cell =
                    out.coverage[static_cast<std::size_t>(y) * out.width + pen + glyph.left + c];
                cell =
                    std::max(cell, glyph.coverage[static_cast<std::size_t>(r) * glyph.width + c]);
            }
        }
    }

    Library library_;
    Face face_;
    std::string family_;
    int cellHeight_ = 0;
    int ascent_ = 0;
};

} // namespace

void fonts::Release::operator()(FT_LibraryRec_* library) const { FT_Done_FreeType(library); }

void fonts::Release::operator()(FT_FaceRec_* face) const { FT_Done_Face(face); }

std::unique_ptr<RasterFont> RasterFont::Open(const char* family, int cellHeight, int weight)
{
    const auto file = MatchFontFile(family, weight);
    if (!file || cellHeight <= 0) return nullptr;
    FT_Library rawLibrary = nullptr;
    if (FT_Init_FreeType(&rawLibrary) != 0) return nullptr;
    Library library(rawLibrary);
    FT_Face rawFace = nullptr;
    if (FT_New_Face(library.get(), file->path.c_str(), file->faceIndex, &rawFace) != 0)
        return nullptr;
    Face face(rawFace);
    return std::make_unique<FreeTypeFont>(std::move(library), std::move(face), file->family,
                                          cellHeight);
}

} // namespace platform
