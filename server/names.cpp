#include "server/names.h"

#include <cstdint>

namespace server {
namespace {

// The next code point of `text` from `at`, moving `at` past it; false for bytes that are not
// UTF-8 (overlong forms and surrogates included).
bool NextCodePoint(std::string_view text, std::size_t& at, char32_t& point)
{
    const auto lead = static_cast<std::uint8_t>(text[at]);
    std::size_t length = 0;
    char32_t lowest = 0;
    if (lead < 0x80) length = 1, point = lead;
    else if ((lead & 0xE0) == 0xC0) length = 2, point = lead & 0x1F, lowest = 0x80;
    else if ((lead & 0xF0) == 0xE0) length = 3, point = lead & 0x0F, lowest = 0x800;
    else if ((lead & 0xF8) == 0xF0) length = 4, point = lead & 0x07, lowest = 0x10000;
    else return false;
    if (text.size() - at < length) return false;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<std::uint8_t>(text[at + i]);
        if ((next & 0xC0) != 0x80) return false;
        point = (point << 6) | (next & 0x3F);
    }
    at += length;
    return point >= lowest && point <= 0x10FFFF && (point < 0xD800 || point > 0xDFFF);
}

bool IsControl(char32_t point) { return point < 0x20 || (point >= 0x7F && point < 0xA0); }

} // namespace

bool CheckName(std::string_view utf8, std::string& error)
{
    std::size_t characters = 0;
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t point = 0;
        if (!NextCodePoint(utf8, at, point)) {
            error = "the name is not UTF-8 text";
            return false;
        }
        if (IsControl(point)) {
            error = "the name holds a control character";
            return false;
        }
        if (point > 0xFF) {
            error = "the name holds a character the game cannot show (it shows Latin-1)";
            return false;
        }
        if (++characters > NAME_LIMIT) {
            error = "the name is longer than 31 characters";
            return false;
        }
    }
    return true;
}

} // namespace server
