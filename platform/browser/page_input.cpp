// The page's own controls reach the game as the keyboard would: its key button, and the text a
// phone's keyboard types into the page while the name dialog is open.

#include <SDL.h>
#include <emscripten.h>

#include <cstring>

#include "platform/browser/page_names.h"
#include "platform/host.h"

void platform::ShowTextEntry(bool open) { kg_text_entry(open ? 1 : 0); }

extern "C" {

// keycode: an SDL key code, pressed and let go.
EMSCRIPTEN_KEEPALIVE void kg_press_key(int keycode)
{
    SDL_Event event {};
    event.key.keysym.sym = keycode;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(keycode);
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    SDL_PushEvent(&event);
    event.type = SDL_KEYUP;
    event.key.state = SDL_RELEASED;
    SDL_PushEvent(&event);
}

// The page asks the game to close, as a closed window does: every screen ends as on a key and
// nothing the player made is lost.
EMSCRIPTEN_KEEPALIVE void kg_close()
{
    SDL_Event event {};
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
}

// utf8: typed characters, one event each, as a keyboard delivers them.
EMSCRIPTEN_KEEPALIVE void kg_type_text(const char* utf8)
{
    SDL_Event event {};
    event.type = SDL_TEXTINPUT;
    for (const char* p = utf8; *p != '\0';) {
        std::size_t length = 1;
        while ((p[length] & 0xC0) == 0x80) ++length;
        if (length < sizeof event.text.text) {
            std::memcpy(event.text.text, p, length);
            event.text.text[length] = '\0';
            SDL_PushEvent(&event);
        }
        p += length;
    }
}

} // extern "C"
