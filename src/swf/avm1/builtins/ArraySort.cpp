#include "swf/avm1/builtins/ArraySort.h"

#include <cmath>

#include "swf/avm1/Vm.h"

namespace quelvo::swf::avm1 {

namespace {

class ElementOrder {
 public:
  ElementOrder(Vm& vm, const Value& compare, int flags, const std::vector<QString>& fields)
      : vm_(vm), compare_(compare), flags_(flags), fields_(fields) {}

  // Negative, zero or positive, as a before b.
  int operator()(const Value& a, const Value& b) {
    vm_.chargeSteps(1);
    int order = 0;
    if (!fields_.empty()) {
      for (const QString& field : fields_) {
        order = byValue(vm_.getMember(a, field), vm_.getMember(b, field));
        if (order != 0) break;
      }
    } else if (compare_.isObject() && compare_.asObject()->isFunction()) {
      const Value pair[] = {a, b};
      const double result = vm_.toNumber(vm_.call(compare_, Value(), pair));
      order = result < 0 ? -1 : (result > 0 ? 1 : 0);
    } else {
      order = byValue(a, b);
    }
    if (order == 0) sawEqual = true;
    return (flags_ & SortDescending) ? -order : order;
  }

  bool sawEqual = false;

 private:
  int byValue(const Value& a, const Value& b) {
    if (a.isUndefined() || b.isUndefined()) return a.isUndefined() - b.isUndefined();
    if (flags_ & SortNumeric) {
      const double x = vm_.toNumber(a);
      const double y = vm_.toNumber(b);
      if (std::isnan(x) || std::isnan(y)) return std::isnan(x) - std::isnan(y);
      return x < y ? -1 : (x > y ? 1 : 0);
    }
    const Qt::CaseSensitivity cs =
        (flags_ & SortCaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const int order = vm_.toString(a).compare(vm_.toString(b), cs);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
  }

  Vm& vm_;
  Value compare_;
  int flags_;
  const std::vector<QString>& fields_;
};

// A merge sort of indexes: stable, and safe with a compare function that
// contradicts itself (it only decides the order, never the bounds).
void mergeSort(std::vector<std::size_t>& order, const std::vector<Value>& values,
               ElementOrder& less) {
  std::vector<std::size_t> buffer(order.size());
  for (std::size_t width = 1; width < order.size(); width *= 2) {
    for (std::size_t left = 0; left < order.size(); left += 2 * width) {
      const std::size_t middle = std::min(left + width, order.size());
      const std::size_t right = std::min(left + 2 * width, order.size());
      std::size_t i = left;
      std::size_t j = middle;
      std::size_t out = left;
      while (i < middle && j < right) {
        buffer[out++] = less(values[order[j]], values[order[i]]) < 0 ? order[j++] : order[i++];
      }
      while (i < middle) buffer[out++] = order[i++];
      while (j < right) buffer[out++] = order[j++];
    }
    order.swap(buffer);
  }
}

}  // namespace

Value sortArray(Vm& vm, ArrayObject& array, const Value& compare, int flags,
                const std::vector<QString>& fields) {
  // The compare function may change the array: sort a copy.
  const std::vector<Value> values = array.elements;
  std::vector<std::size_t> order(values.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  ElementOrder less(vm, compare, flags, fields);
  mergeSort(order, values, less);

  if ((flags & SortUnique) && less.sawEqual) return Value::number(0);
  if (flags & SortReturnIndexedArray) {
    std::vector<Value> indexes;
    indexes.reserve(order.size());
    for (const std::size_t index : order)
      indexes.push_back(Value::number(static_cast<double>(index)));
    return Value::object(vm.newArray(std::move(indexes)));
  }
  std::vector<Value> sorted;
  sorted.reserve(order.size());
  for (const std::size_t index : order) sorted.push_back(values[index]);
  array.elements = std::move(sorted);
  return Value::object(&array);
}

}  // namespace quelvo::swf::avm1
