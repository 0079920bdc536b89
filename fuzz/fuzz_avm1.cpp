// Fuzz entry point of the ActionScript VM: the first byte picks the SWF
// version, the rest runs as one action block on a host without clips, with
// small limits so every input ends quickly. Timers and a clip event run too,
// so functions the block leaves behind get called.

#include <cstddef>
#include <cstdint>
#include <span>

#include "swf/avm1/NullHost.h"
#include "swf/avm1/Vm.h"

namespace {

using namespace quelvo::swf::avm1;

Limits smallLimits() {
  Limits limits;
  limits.stepsPerEntry = 20'000;
  limits.stackValues = 4096;
  limits.stringLength = 1 << 16;
  limits.memoryPerEntry = 8 << 20;
  limits.arrayLength = 1 << 14;
  limits.objects = 20'000;
  limits.retainedMemory = 16 << 20;
  limits.timers = 16;
  return limits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int version = 4 + data[0] % 7;
  NullHost host;
  Vm vm(host, version, smallLimits(), [](const QString&) {});
  vm.runActions(NullHost::kRoot, ActionBlock{std::span(data + 1, size - 1), 0, {}});
  vm.callClipMethod(NullHost::kRoot, QStringLiteral("onEnterFrame"));
  vm.runIntervals(1'000);
  vm.runIntervals(1'000'000);
  vm.collectGarbage();
  return 0;
}
