#pragma once

#include "core/session/CurrentEntry.h"
#include "core/session/LastFolders.h"
#include "core/session/LoopRegionState.h"
#include "core/session/OnTopState.h"
#include "core/session/PlayMode.h"
#include "core/session/SkinScheme.h"

namespace quelvo::core {

// The player's state outside the catalog, each fact with one owner. Views
// (check marks, status panels, the window's flags) follow their signals.
struct Session {
  CurrentEntry Labn;
  OnTopState Label1;
  PlayModeState playMode;
  LoopRegionState loopRegion;
  SkinSchemeState skin;
  LastFolders folders;
};

}  // namespace quelvo::core
