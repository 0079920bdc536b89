#include "swf/avm1/builtins/Builtins.h"

namespace quelvo::swf::avm1 {

void installBuiltins(Vm& vm) {
  installObject(vm);
  installFunction(vm);
  installError(vm);
  installArray(vm);
  installString(vm);
  installNumberAndBoolean(vm);
  installMath(vm);
  installDate(vm);
  installGlobalFunctions(vm);
  installTimers(vm);
  installAsBroadcaster(vm);
  installKey(vm);
  installMouse(vm);
  installStage(vm);
  installSelection(vm);
  installMovieClip(vm);
  installButton(vm);
  installTextField(vm);
  installColor(vm);
  installSound(vm);
  installGeom(vm);
  installBitmapData(vm);
  installFilters(vm);
  installXml(vm);
  installLoadVars(vm);
  installMovieClipLoader(vm);
}

}  // namespace quelvo::swf::avm1
