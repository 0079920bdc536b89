#pragma once

#include "swf/avm1/Host.h"

namespace quelvo::swf::avm1 {

// A host with one empty root clip and no outside world: scripts run, every
// clip operation does nothing. For tools and fuzzing.
class NullHost : public Host {
 public:
  static constexpr ClipHandle kRoot = 1;

  ClipHandle rootClip() override { return kRoot; }
  ClipHandle levelClip(int level) override { return level == 0 ? kRoot : kNoClip; }
  ClipHandle parentClip(ClipHandle) override { return kNoClip; }
  ClipHandle childClip(ClipHandle, const QString&, bool) override { return kNoClip; }
  std::vector<ClipHandle> childClips(ClipHandle) override { return {}; }
  void gotoFrame(ClipHandle, int, bool) override {}
  std::optional<int> frameOfLabel(ClipHandle, const QString&) override { return std::nullopt; }
  void play(ClipHandle) override {}
  void stop(ClipHandle) override {}
  void nextFrame(ClipHandle) override {}
  void prevFrame(ClipHandle) override {}
  std::vector<ActionBlock> frameActions(ClipHandle, int) override { return {}; }
  Value getProperty(ClipHandle, ClipProperty) override { return {}; }
  void setProperty(ClipHandle, ClipProperty, const Value&) override {}
  ClipHandle duplicateClip(ClipHandle, const QString&, int) override { return kNoClip; }
  ClipHandle attachClip(ClipHandle, const QString&, const QString&, int) override {
    return kNoClip;
  }
  ClipHandle createEmptyClip(ClipHandle, const QString&, int) override { return kNoClip; }
  void removeClip(ClipHandle) override {}
  int depthOf(ClipHandle) override { return 0; }
  int nextHighestDepth(ClipHandle) override { return 0; }
  void swapDepths(ClipHandle, int) override {}
  void draw(ClipHandle, const DrawCommand&) override {}
  bool hitTestPoint(ClipHandle, double, double, bool) override { return false; }
  bool hitTestClip(ClipHandle, ClipHandle) override { return false; }
  void startDrag(ClipHandle, const DragOptions&) override {}
  void stopDrag() override {}
  void toggleQuality() override {}
  void stopSounds() override {}
  void getUrl(const UrlRequest&) override {}
  void fsCommand(const QString&, const QString&) override {}
  void trace(const QString&) override {}
  double timerMs() override { return 0; }
  double epochMs() override { return 0; }
  double random() override { return 0; }
  bool isKeyDown(int) override { return false; }
  int lastKeyCode() override { return 0; }
};

}  // namespace quelvo::swf::avm1
