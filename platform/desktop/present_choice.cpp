// On a desktop the picture takes the accelerated renderer when OpenGL is a real graphics card,
// and the window's own memory when it is only a software rasteriser.

#include <SDL.h>

#include <cstdlib>
#include <string>

#include "platform/desktop/window_targets.h"
#include "platform/host.h"
#include "platform/notice.h"
#include "platform/present/present_path.h"

namespace platform {
namespace {

constexpr unsigned GL_RENDERER_NAME = 0x1F01;

// OpenGL's own name for what draws, asked of the renderer's current context.
std::string GlRendererName()
{
    using GetString = const unsigned char* (*)(unsigned);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = getString != nullptr ? getString(GL_RENDERER_NAME) : nullptr;
    return name != nullptr ? reinterpret_cast<const char*>(name) : "";
}

struct Probe {
    sdl::Renderer renderer;
    std::string name;
    std::string glRenderer;
};

Probe TryAcceleratedRenderer(SDL_Window* window, bool vsync)
{
    Probe probe;
    probe.renderer.reset(SDL_CreateRenderer(
        window, -1, SDL_RENDERER_ACCELERATED | (vsync ? SDL_RENDERER_PRESENTVSYNC : 0)));
    if (!probe.renderer) return probe;
    SDL_RendererInfo info {};
    SDL_GetRendererInfo(probe.renderer.get(), &info);
    probe.name = info.name != nullptr ? info.name : "";
    if (probe.name.starts_with("opengl")) probe.glRenderer = GlRendererName();
    return probe;
}

} // namespace

std::unique_ptr<PresentTarget> MakePresentTarget(SDL_Window* window, const WindowOptions& options)
{
    const char* forced = std::getenv("LIBGL_ALWAYS_SOFTWARE");
    present::RendererFacts facts;
    facts.softwareForced = forced != nullptr && forced[0] != '\0' && forced[0] != '0';
    Probe probe;
    if (!present::DecidedWithoutRenderer(options.renderer, facts.softwareForced)) {
        probe = TryAcceleratedRenderer(window, options.vsync);
        facts.created = probe.renderer != nullptr;
        facts.name = probe.name;
        facts.glRenderer = probe.glRenderer;
    }
    const present::PathDecision decision = present::ChoosePresentPath(options.renderer, facts);
    std::string error;
    std::unique_ptr<PresentTarget> target;
    if (decision.path == present::PresentPath::Accelerated) {
        target = MakeTextureTarget(window, std::move(probe.renderer), options, error);
    } else {
        probe.renderer.reset();
        // Without this SDL would draw the window surface through OpenGL again.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        target = MakeSurfaceTarget(window, options, error);
    }
    Notice(present::DescribeDecision(decision) + (target ? "" : "; it failed: " + error) + "\r\n");
    return target;
}

} // namespace platform
