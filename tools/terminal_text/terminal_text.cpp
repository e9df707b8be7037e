#include "tools/terminal_text/terminal_text.h"

namespace {

constexpr char hexDigits[] = "0123456789ABCDEF";
constexpr unsigned char firstLatinLetter = 0xA0; // no-break space; 0x80 to 0x9F are controls

void AppendEscaped(std::string& text, unsigned char byte)
{
    text += "\\x";
    text += hexDigits[byte >> 4];
    text += hexDigits[byte & 0xF];
}

} // namespace

std::string TerminalText(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\\') text += "\\\\";
        else if (byte >= 0x20 && byte < 0x7F) text += c;
        else if (byte >= firstLatinLetter) {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        } else {
            AppendEscaped(text, byte);
        }
    }
    return text;
}

std::string TagText(DWORD tag)
{
    const char bytes[] = {static_cast<char>(tag), static_cast<char>(tag >> 8),
                          static_cast<char>(tag >> 16), static_cast<char>(tag >> 24)};
    return TerminalText({bytes, sizeof bytes});
}
