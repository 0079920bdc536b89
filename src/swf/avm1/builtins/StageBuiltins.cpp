// The Stage object: the stage's size, how the view fits it, and the
// listeners told when the view's size changes under "noScale".
#include <array>
#include <utility>

#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/NativeSupport.h"

namespace quelvo::swf::avm1 {

namespace {

constexpr std::array<std::pair<StageScale, const char*>, 4> kScaleNames{{
    {StageScale::ShowAll, "showAll"},
    {StageScale::ExactFit, "exactFit"},
    {StageScale::NoBorder, "noBorder"},
    {StageScale::NoScale, "noScale"},
}};

// The stage size scripts see: the movie's, or the view's when the view does not scale.
std::pair<double, double> visibleSize(Host& host) {
  return host.stageSize(host.stageSettings().scale == StageScale::NoScale);
}

Value width(NativeCall& call) { return Value::number(visibleSize(call.vm.host()).first); }

Value height(NativeCall& call) { return Value::number(visibleSize(call.vm.host()).second); }

Value scaleMode(NativeCall& call) {
  const StageScale scale = call.vm.host().stageSettings().scale;
  for (const auto& [mode, name] : kScaleNames) {
    if (mode == scale) return Value::string(QString::fromLatin1(name));
  }
  return {};
}

// An unknown name leaves the mode as it was.
Value setScaleMode(NativeCall& call) {
  const QString wanted = stringArg(call, 0);
  for (const auto& [mode, name] : kScaleNames) {
    if (wanted.compare(QLatin1String(name), Qt::CaseInsensitive) != 0) continue;
    StageSettings settings = call.vm.host().stageSettings();
    settings.scale = mode;
    settings.scripted = true;
    call.vm.host().setStageSettings(settings);
  }
  return {};
}

Value align(NativeCall& call) { return Value::string(call.vm.host().stageSettings().align); }

// Kept as the player keeps it: the letters T, B, L and R it holds, in that order.
Value setAlign(NativeCall& call) {
  const QString wanted = stringArg(call, 0).toUpper();
  QString letters;
  for (const QChar letter : {u'T', u'B', u'L', u'R'}) {
    if (wanted.contains(letter)) letters += letter;
  }
  StageSettings settings = call.vm.host().stageSettings();
  settings.align = letters;
  settings.scripted = true;
  call.vm.host().setStageSettings(settings);
  return {};
}

Value showMenu(NativeCall& call) { return Value::boolean(call.vm.host().stageSettings().showMenu); }

Value setShowMenu(NativeCall& call) {
  StageSettings settings = call.vm.host().stageSettings();
  settings.showMenu = call.vm.toBoolean(call.arg(0));
  call.vm.host().setStageSettings(settings);
  return {};
}

}  // namespace

void installStage(Vm& vm) {
  Object* stage = vm.newObject();
  vm.defineValue(vm.global(), QStringLiteral("Stage"), Value::object(stage));
  makeBroadcaster(vm, stage);
  defineAccessor(vm, stage, QStringLiteral("width"), width);
  defineAccessor(vm, stage, QStringLiteral("height"), height);
  defineAccessor(vm, stage, QStringLiteral("scaleMode"), scaleMode, setScaleMode);
  defineAccessor(vm, stage, QStringLiteral("align"), align, setAlign);
  defineAccessor(vm, stage, QStringLiteral("showMenu"), showMenu, setShowMenu);
}

}  // namespace quelvo::swf::avm1
