#pragma once

namespace quelvo::swf {

// Low: no antialiasing (and no bitmap smoothing); the others antialias.
enum class Quality { Low, Medium, High, Best };

}  // namespace quelvo::swf
