#pragma once

namespace quelvo::playback {

// The movie's key code (Key.getCode) for a Qt key; 0 when movies have none for it.
int flashKeyCode(int qtKey);

}  // namespace quelvo::playback
