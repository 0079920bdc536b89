#pragma once

#include <optional>
#include <span>
#include <vector>

#include "swf/effects/FilterParams.h"
#include "swf/format/Filters.h"

namespace quelvo::swf::effects {

// The parameters of one filter of a FILTERLIST; nullopt when its bytes are
// too few for its kind.
std::optional<FilterParams> decodeFilter(const Filter& filter);

// Every filter of a list that decodes, in order.
std::vector<FilterParams> decodeFilters(std::span<const Filter> filters);

}  // namespace quelvo::swf::effects
