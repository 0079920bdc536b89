#pragma once

#include <QString>
#include <vector>

#include "swf/avm1/ArrayObject.h"
#include "swf/avm1/Value.h"

namespace quelvo::swf::avm1 {

class Vm;

// Array.sort and Array.sortOn options.
enum ArraySortFlag : int {
  SortCaseInsensitive = 1,
  SortDescending = 2,
  SortUnique = 4,
  SortReturnIndexedArray = 8,
  SortNumeric = 16,
};

// Sorts the array's elements, stably, by the compare function when it is one,
// else by the fields' values when fields are given (sortOn), else as strings
// (or numbers with SortNumeric); undefined goes last. Returns what the
// script gets: the array; with SortReturnIndexedArray a new array of the
// original indexes in sorted order, the array left as it was; with
// SortUnique and two equal elements, 0 and the array left as it was.
Value sortArray(Vm& vm, ArrayObject& array, const Value& compare, int flags,
                const std::vector<QString>& fields);

}  // namespace quelvo::swf::avm1
