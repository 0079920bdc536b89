#pragma once

namespace quelvo::swf {

// Sends libavcodec's messages to lcSwf instead of stderr: errors and worse
// as warnings, warnings as debug output, the rest dropped. Safe to call from
// any thread, any number of times; the first call installs the route.
void routeCodecLog();

}  // namespace quelvo::swf
