#include "playback/PlayerWidgets.h"

#include "playback/MovieControlArray.h"

namespace quelvo::playback {

MovieControl& PlayerWidgets::movie() const { return Flash1->live(); }

}  // namespace quelvo::playback
