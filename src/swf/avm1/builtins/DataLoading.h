#pragma once

#include <QString>

#include "swf/avm1/Vm.h"

namespace quelvo::swf::avm1 {

// What LoadVars and XML share: load, sendAndLoad, send, getBytesLoaded,
// getBytesTotal and addRequestHeader on their prototype. Files load from
// the movie's folder on a later tick; nothing is ever sent.
void defineDataLoading(Vm& vm, Object* prototype);

// The default onData(text): parses the text with this[parseMethod], sets
// loaded and calls onLoad(true); without text, onLoad(false).
Value receiveData(NativeCall& call, const QString& parseMethod);

}  // namespace quelvo::swf::avm1
