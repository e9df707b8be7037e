#include "graphics/game_window.h"

#include <cstring>

namespace {

constexpr char classPrefix[] = "qvclass32_";
constexpr std::size_t classNameSize = 32;

} // namespace

HWND RegisterAndCreateWindow(const WindowParams& params)
{
    char className[classNameSize] = {};
    std::strcpy(className, classPrefix);
    std::strncat(className, params.classSuffix, classNameSize - sizeof classPrefix);
    const WNDCLASSA windowClass {params.classStyle,
                                 params.windowProc,
                                 0,
                                 0,
                                 params.instance,
                                 LoadIconA(params.instance, params.icon),
                                 LoadCursorA(nullptr, IDC_ARROW),
                                 nullptr,
                                 params.menuName,
                                 className};
    RegisterClassA(&windowClass);
    const HWND window = CreateWindowExA(params.exStyle, className, params.title, params.style,
                                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                        nullptr, nullptr, params.instance, nullptr);
    if (window == nullptr) return nullptr;
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    return window;
}

HWND CreateGameWindow(DisplayDevice& device)
{
    device.hwnd = RegisterAndCreateWindow(device.windowParams);
    MoveWindow(device.hwnd, 0, 0, static_cast<int>(device.width), static_cast<int>(device.height),
               TRUE);
    SetFocus(device.hwnd);
    return device.hwnd;
}
