#include "platform/backend/headless/script.h"

#include <algorithm>
#include <charconv>
#include <sstream>

namespace platform {
namespace {

using Kind = ScriptEvent::Kind;

// A whole decimal, or 0x hexadecimal, number.
bool ReadNumber(const std::string& word, long long& value)
{
    const bool hex = word.starts_with("0x") || word.starts_with("0X");
    const char* first = word.data() + (hex ? 2 : 0);
    const char* last = word.data() + word.size();
    const auto [end, status] = std::from_chars(first, last, value, hex ? 16 : 10);
    return status == std::errc() && end == last && first != last;
}

std::string ParseEvent(std::istringstream& words, ScriptEvent& event)
{
    std::string kind;
    words >> kind;
    long long a = 0;
    long long b = 0;
    std::string first;
    std::string second;
    if (kind == "move") {
        words >> first >> second;
        if (!ReadNumber(first, a) || !ReadNumber(second, b) || a < 0 || b < 0 || a > 639
            || b > 479) {
            return "move needs X (0-639) and Y (0-479)";
        }
        event.kind = Kind::Move;
        event.x = static_cast<LONG>(a);
        event.y = static_cast<LONG>(b);
    } else if (kind == "click" || kind == "dblclick" || kind == "close") {
        event.kind = kind == "click"      ? Kind::Click
                     : kind == "dblclick" ? Kind::DoubleClick
                                          : Kind::Close;
    } else if (kind == "key") {
        words >> first;
        if (!ReadNumber(first, a) || a < 1 || a > 254)
            return "key needs a virtual-key code (1-254)";
        event.kind = Kind::Key;
        event.virtualKey = static_cast<DWORD>(a);
    } else if (kind == "text") {
        words >> event.text;
        if (event.text.empty()) return "text needs a word";
        event.kind = Kind::Text;
    } else {
        return "unknown event '" + kind + "'";
    }
    std::string extra;
    if (words >> extra) return "unexpected '" + extra + "'";
    return "";
}

} // namespace

std::optional<std::vector<ScriptEvent>> ParseScript(std::string_view script, std::string& error)
{
    std::vector<ScriptEvent> events;
    std::istringstream lines {std::string(script)};
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string time;
        if (!(words >> time)) continue;
        long long ms = 0;
        ScriptEvent event {};
        std::string problem = ReadNumber(time, ms) && ms >= 0 && ms <= 0x7FFFFFFF
                                  ? ParseEvent(words, event)
                                  : "a line starts with its time in milliseconds";
        if (!problem.empty()) {
            error = "script line " + std::to_string(number) + ": " + problem;
            return std::nullopt;
        }
        event.time = static_cast<DWORD>(ms);
        events.push_back(event);
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const ScriptEvent& a, const ScriptEvent& b) { return a.time < b.time; });
    return events;
}

} // namespace platform
