#pragma once
// Which way the picture reaches the window. A real graphics card draws the picture fastest
// through the accelerated renderer; when OpenGL is only a software rasteriser, putting the
// pixels straight into the window's shared memory costs a fraction of what the rasteriser does.

#include <string>
#include <string_view>

namespace platform::present {

enum class RendererChoice { Auto, Accelerated, Software };
enum class PresentPath { Accelerated, Surface };

// What is known of the accelerated renderer, once one was tried.
struct RendererFacts {
    bool created = false;
    std::string_view name;       // SDL's name of the renderer ("opengl", "software"...)
    std::string_view glRenderer; // OpenGL's renderer string, empty without OpenGL
    bool softwareForced = false; // LIBGL_ALWAYS_SOFTWARE is set
};

struct PathDecision {
    PresentPath path;
    std::string reason;
};

// True when the choice needs no accelerated renderer tried first.
bool DecidedWithoutRenderer(RendererChoice choice, bool softwareForced);

PathDecision ChoosePresentPath(RendererChoice choice, const RendererFacts& facts);

// "the window surface (no OpenGL): OpenGL is llvmpipe, a software rasteriser"
std::string DescribeDecision(const PathDecision& decision);

} // namespace platform::present
