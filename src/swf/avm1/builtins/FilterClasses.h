#pragma once

#include <QString>
#include <optional>
#include <span>
#include <vector>

#include "swf/avm1/Vm.h"
#include "swf/effects/BlendMode.h"
#include "swf/effects/FilterParams.h"

namespace quelvo::swf::avm1 {

// Script filter objects and blend modes to and from what the renderer draws.
// Every way a filter crosses between scripts and the engine goes through here.

// A new object of the flash.filters class the parameters belong to; a
// displacement map's picture comes with a BitmapData of its own.
Value filterToScript(Vm& vm, const effects::FilterParams& params);
// The parameters of a filter object, its displacement map taken from its
// BitmapData as it is now; nullopt for anything that is no filter.
std::optional<effects::FilterParams> filterFromScript(const Value& value);

// The filters of an array, in order, skipping what is no filter; at most
// kMaxFilters of them. A value that is no object is an empty list.
inline constexpr std::size_t kMaxFilters = 64;
std::vector<effects::FilterParams> filterListFromScript(Vm& vm, const Value& list);
Value filterListToScript(Vm& vm, std::span<const effects::FilterParams> filters);

// "normal", "multiply" ... as scripts name the modes.
QString blendModeName(effects::BlendMode mode);
// A mode by name or by number (1 to 14); nullopt for anything else.
std::optional<effects::BlendMode> blendModeFromScript(Vm& vm, const Value& value);

// flash.filters.BitmapFilter and its subclasses, in package.
void installFilterClasses(Vm& vm, Object* package);
// BitmapData.prototype.applyFilter and generateFilterRect.
void defineFilterBitmapMethods(Vm& vm, Object* bitmapDataProto);

}  // namespace quelvo::swf::avm1
