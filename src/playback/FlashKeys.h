#pragma once

namespace quelvo::playback {

// The movie player's virtual key code for a Qt key (65 for A, 37 for the
// left arrow); 0 for keys it has no code for.
int flashKeyCode(int qtKey);

}  // namespace quelvo::playback
