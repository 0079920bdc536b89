#pragma once

#include <functional>

namespace quelvo::app {
class Form1;
}

namespace quelvo::core {

// The main window's load: brings it from creation to the last state the user
// chose to keep. Returns false when the user declines to run a second copy;
// the program then ends without touching the settings file.
// `closeSplash` runs before the second-copy question is asked.
bool Form_Load(app::Form1& form, const std::function<void()>& closeSplash);

// Minimum window size from the screen: a third of it, a little more on small screens.
struct MinimumSize {
  int widthPixels;
  int heightPixels;
};
MinimumSize minimumWindowSize(double screenWidthTwips, double screenHeightTwips,
                              double twipsPerPixelX, double twipsPerPixelY);

}  // namespace quelvo::core
