#pragma once

namespace quelvo::app {

// Minimum window size from the screen: a third of it, a little more on small screens.
struct MinimumSize {
  int widthPixels;
  int heightPixels;
};
MinimumSize minimumWindowSize(double screenWidthTwips, double screenHeightTwips,
                              double twipsPerPixelX, double twipsPerPixelY);

}  // namespace quelvo::app
