#include "platform/present/present_path.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace platform::present {
namespace {

bool ContainsIgnoringCase(std::string_view text, std::string_view word)
{
    const auto found =
        std::search(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a))
                   == std::tolower(static_cast<unsigned char>(b));
        });
    return found != text.end();
}

bool IsSoftwareRasteriser(std::string_view glRenderer)
{
    constexpr std::array<std::string_view, 4> names {"llvmpipe", "softpipe", "swrast",
                                                     "Software Rasterizer"};
    return std::any_of(names.begin(), names.end(), [glRenderer](std::string_view name) {
        return ContainsIgnoringCase(glRenderer, name);
    });
}

PathDecision Surface(std::string reason) { return {PresentPath::Surface, std::move(reason)}; }

} // namespace

bool DecidedWithoutRenderer(RendererChoice choice, bool softwareForced)
{
    return choice == RendererChoice::Software || (choice == RendererChoice::Auto && softwareForced);
}

PathDecision ChoosePresentPath(RendererChoice choice, const RendererFacts& facts)
{
    if (choice == RendererChoice::Software) return Surface("the settings ask for software");
    if (choice == RendererChoice::Auto && facts.softwareForced)
        return Surface("LIBGL_ALWAYS_SOFTWARE is set");
    if (!facts.created) return Surface("no accelerated renderer could be made");
    if (choice == RendererChoice::Accelerated)
        return {PresentPath::Accelerated, "the settings ask for it"};
    if (facts.name == "software") return Surface("SDL's renderer draws in software");
    if (IsSoftwareRasteriser(facts.glRenderer))
        return Surface("OpenGL is " + std::string(facts.glRenderer) + ", a software rasteriser");
    const std::string_view card = facts.glRenderer.empty() ? facts.name : facts.glRenderer;
    return {PresentPath::Accelerated, "it runs on " + std::string(card)};
}

std::string DescribeDecision(const PathDecision& decision)
{
    const char* path = decision.path == PresentPath::Accelerated ? "the accelerated renderer"
                                                                 : "the window surface (no OpenGL)";
    return std::string("Picture through ") + path + ": " + decision.reason;
}

} // namespace platform::present
