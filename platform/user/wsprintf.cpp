// The platform's own printf: a small set of directives and a fixed output limit.

#include <cstring>
#include <string_view>

#include "platform/user.h"

namespace {

struct Directive {
    bool leftAlign = false;
    bool zeroPad = false;
    bool hexPrefix = false;
    int width = 0;
    int precision = -1;
    char type = '\0';
};

// Collects output up to the limit; everything past it is dropped.
class Output {
public:
    explicit Output(char* buffer) : buffer_(buffer) {}

    void Put(char c)
    {
        if (count_ < WSPRINTF_LIMIT) buffer_[count_++] = c;
    }
    void Put(std::string_view text)
    {
        for (char c : text) Put(c);
    }
    void Repeat(char c, int times)
    {
        for (int i = 0; i < times; ++i) Put(c);
    }
    int Finish()
    {
        buffer_[count_] = '\0';
        return count_;
    }

private:
    char* buffer_;
    int count_ = 0;
};

int ReadNumber(const char*& p)
{
    int value = 0;
    while (*p >= '0' && *p <= '9') value = value * 10 + (*p++ - '0');
    return value;
}

// Reads one directive after its '%'; p ends on the character after the type.
Directive ParseDirective(const char*& p)
{
    Directive d;
    for (;; ++p) {
        if (*p == '-') d.leftAlign = true;
        else if (*p == '0') d.zeroPad = true;
        else if (*p == '#') d.hexPrefix = true;
        else break;
    }
    d.width = ReadNumber(p);
    if (*p == '.') d.precision = ReadNumber(++p);
    while (*p == 'l' || *p == 'h') ++p;
    if (*p != '\0') d.type = *p++;
    return d;
}

void PutField(Output& out, const Directive& d, std::string_view prefix, std::string_view body)
{
    const int length = static_cast<int>(prefix.size() + body.size());
    const int padding = d.width > length ? d.width - length : 0;
    if (!d.leftAlign && !d.zeroPad) out.Repeat(' ', padding);
    out.Put(prefix);
    if (!d.leftAlign && d.zeroPad) out.Repeat('0', padding);
    out.Put(body);
    if (d.leftAlign) out.Repeat(' ', padding);
}

void PutNumber(Output& out, const Directive& d, bool negative, unsigned int magnitude,
               unsigned base)
{
    const char* digits = d.type == 'X' ? "0123456789ABCDEF" : "0123456789abcdef";
    char text[48];
    int start = sizeof text;
    do {
        text[--start] = digits[magnitude % base];
        magnitude /= base;
    } while (magnitude != 0);
    while (static_cast<int>(sizeof text) - start < d.precision && start > 0) text[--start] = '0';
    std::string_view prefix = negative ? "-" : "";
    if (d.hexPrefix && base == 16) prefix = d.type == 'X' ? "0X" : "0x";
    PutField(out, d, prefix, std::string_view(text + start, sizeof text - start));
}

void PutText(Output& out, Directive d, const char* text)
{
    if (text == nullptr) text = "(null)";
    std::size_t length = std::strlen(text);
    if (d.precision >= 0 && static_cast<std::size_t>(d.precision) < length) length = d.precision;
    d.zeroPad = false;
    PutField(out, d, "", std::string_view(text, length));
}

void PutDirective(Output& out, const Directive& d, std::va_list& arguments)
{
    switch (d.type) {
    case 's': PutText(out, d, va_arg(arguments, const char*)); break;
    case 'c': {
        const char c = static_cast<char>(va_arg(arguments, int));
        PutField(out, d, "", std::string_view(&c, 1));
        break;
    }
    case 'd':
    case 'i': {
        const int value = va_arg(arguments, int);
        const unsigned int magnitude = value < 0 ? 0u - static_cast<unsigned int>(value) : value;
        PutNumber(out, d, value < 0, magnitude, 10);
        break;
    }
    case 'u': PutNumber(out, d, false, va_arg(arguments, unsigned int), 10); break;
    case 'x':
    case 'X': PutNumber(out, d, false, va_arg(arguments, unsigned int), 16); break;
    // "%%" and unknown types print the type character itself.
    default:
        if (d.type != '\0') out.Put(d.type);
        break;
    }
}

} // namespace

int wvsprintfA(LPSTR buffer, LPCSTR format, std::va_list arguments)
{
    Output out(buffer);
    std::va_list args;
    va_copy(args, arguments);
    for (const char* p = format; *p != '\0';) {
        if (*p != '%') {
            out.Put(*p++);
            continue;
        }
        const Directive d = ParseDirective(++p);
        PutDirective(out, d, args);
    }
    va_end(args);
    return out.Finish();
}

int wsprintfA(LPSTR buffer, LPCSTR format, ...)
{
    std::va_list arguments;
    va_start(arguments, format);
    const int count = wvsprintfA(buffer, format, arguments);
    va_end(arguments);
    return count;
}
