#pragma once

namespace quelvo::swf {

// The code a button's key-press condition names for a key: 1-19 for the
// special keys (arrows, home, end, insert, delete, backspace, enter, page
// up/down, tab, escape), else the typed character when it is printable
// ASCII; 0 when no button condition can name it. keyCode is the player's
// virtual key code (37 for the left arrow, 65 for A), character the
// character the key typed (0 for none).
int buttonKeyCode(int keyCode, int character);

}  // namespace quelvo::swf
