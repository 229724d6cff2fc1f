#pragma once
// SDL key symbols to the game's virtual-key codes (0: a key the game ignores).
#include <SDL_keycode.h>

namespace plat {
int VirtualKeyFromSdl(SDL_Keycode sym);
}
