#include "platform/backend/headless/headless.h"

#include <algorithm>

#include "platform/backend/headless/script.h"
#include "platform/backend/screen_capture.h"
#include "platform/notice.h"
#include "platform/port/owned_file.h"

namespace platform {
namespace {

constexpr DWORD clockOffset = 1000000;
// A finished script's run ends this long after its last event, so every scripted run ends.
constexpr DWORD idleLimit = 60000;
// A script of a long run is a few kilobytes; a name that is a device without end is no script.
constexpr std::size_t scriptMostBytes = std::size_t {16} << 20;

class HeadlessBackend : public Backend {
public:
    HeadlessBackend(std::vector<ScriptEvent> script, std::vector<ScreenshotRequest> pictures,
                    bool replaying)
        : events(std::move(script)), screenshots(std::move(pictures)), endsIdle(!replaying)
    {
        std::stable_sort(screenshots.begin(), screenshots.end(),
                         [](const auto& a, const auto& b) { return a.time < b.time; });
    }

    DWORD Now() override { return clockOffset + virtualTime; }

    Happened Pump() override
    {
        Happened happened;
        ++virtualTime;
        // The screen as the game left it before this moment's input.
        for (;
             nextScreenshot < screenshots.size() && screenshots[nextScreenshot].time <= virtualTime;
             ++nextScreenshot) {
            const std::string& path = screenshots[nextScreenshot].path;
            if (!SaveScreenshot(path.c_str())) Notice("Screenshot not saved: " + path + "\r\n");
        }
        for (; next < events.size() && events[next].time <= virtualTime; ++next)
            Deliver(events[next], happened);
        const DWORD lastEvent = events.empty() ? 0 : events.back().time;
        if (endsIdle && next == events.size() && virtualTime >= lastEvent + idleLimit)
            happened.close = true;
        return happened;
    }

private:
    static void Deliver(const ScriptEvent& event, Happened& happened)
    {
        using Kind = ScriptEvent::Kind;
        std::vector<InputEvent>& input = happened.input;
        switch (event.kind) {
        case Kind::Move: input.emplace_back(input::PointerTo {event.x, event.y}); break;
        case Kind::Click: input.emplace_back(input::LeftPress {false}); break;
        case Kind::DoubleClick: input.emplace_back(input::LeftPress {true}); break;
        case Kind::Key: AddKeyPress(input, event.virtualKey); break;
        case Kind::Text:
            for (char c : event.text) input.emplace_back(input::Character {c});
            break;
        case Kind::Close: happened.close = true; break;
        }
    }

    std::vector<ScriptEvent> events;
    std::size_t next = 0;
    std::vector<ScreenshotRequest> screenshots;
    std::size_t nextScreenshot = 0;
    DWORD virtualTime = 0;
    bool endsIdle;
};

} // namespace

std::unique_ptr<Backend> MakeHeadlessBackend(const BackendOptions& options, std::string& error)
{
    std::string script;
    if (!options.scriptPath.empty()) {
        int err = 0;
        const auto bytes = ReadWholeFile(options.scriptPath, scriptMostBytes, err);
        if (!bytes) {
            error = "cannot read the script " + options.scriptPath;
            return nullptr;
        }
        script.assign(bytes->begin(), bytes->end());
    }
    auto events = ParseScript(script, error);
    if (!events) return nullptr;
    return std::make_unique<HeadlessBackend>(std::move(*events), options.screenshots,
                                             options.replaying);
}

} // namespace platform
