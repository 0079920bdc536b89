#include "playback/PlayModes.h"

#include <QActionGroup>
#include <QMenu>
#include <algorithm>

#include "core/Actions.h"

namespace quelvo::playback {

using core::PlayMode;

namespace {

constexpr int kSeparator = 3;

const char* captionText(PlayMode mode) {
  switch (mode) {
    case PlayMode::MultiContinuous:
      return "多首连续播放";
    case PlayMode::MultiRandom:
      return "多首随机播放";
    case PlayMode::MultiNormal:
      return "多首正常连续";
    case PlayMode::SingleContinuous:
      return "单首连续播放";
    case PlayMode::SingleNormal:
      return "单首正常播放";
    case PlayMode::SingleLoop:
      return "单首正常循环";
    case PlayMode::None:
      break;
  }
  return "";
}

std::size_t slot(PlayMode mode) { return static_cast<std::size_t>(mode); }

}  // namespace

PlayModes::PlayModes(core::PlayModeState& state, QObject* owner)
    : QObject(owner), state_(state), group_(new QActionGroup(this)) {
  // An exclusive-optional group draws the items with a radio look and still
  // lets every item be unchecked.
  group_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  items_[kSeparator] =
      core::makeSeparator(this, core::arrayName(QStringLiteral("MnuOptions"), kSeparator));
  for (PlayMode mode : core::kPlayModes) {
    QAction* item = core::makeCheckableAction(
        this, core::arrayName(QStringLiteral("MnuOptions"), static_cast<int>(mode)), caption(mode));
    items_[slot(mode)] = item;
    group_->addAction(item);
    connect(item, &QAction::triggered, this, [this, mode] { MnuOptions_Click(mode); });
  }
  connect(&state_, &core::PlayModeState::changed, this, &PlayModes::followState);
  connect(&state_, &core::PlayModeState::availabilityChanged, this, &PlayModes::followState);
  followState();
}

QAction* PlayModes::MnuOptions(PlayMode mode) const { return items_.at(slot(mode)); }

QMenu* PlayModes::createMenu(QWidget* parent) const {
  QMenu* menu = core::makeMenu(parent, QStringLiteral("MNUPLAYCON"), QStringLiteral("播放选项"));
  for (QAction* item : items_) menu->addAction(item);
  return menu;
}

void PlayModes::MnuOptions_Click(PlayMode mode) {
  state_.set(mode);
  // A click on the chosen item unchecks it in the group; the mark comes back.
  followState();
}

void PlayModes::restore(int storedNumber) {
  state_.set(core::playModeNumbered(storedNumber).value_or(PlayMode::MultiContinuous));
}

void PlayModes::followState() {
  for (PlayMode mode : core::kPlayModes) {
    items_[slot(mode)]->setChecked(state_.is(mode));
    items_[slot(mode)]->setEnabled(state_.isEnabled(mode));
  }
}

int PlayModes::randomPick(double random, int count) {
  return std::clamp(static_cast<int>(random * count), 0, std::max(0, count - 1));
}

QString PlayModes::caption(PlayMode mode) { return QString::fromUtf8(captionText(mode)); }

}  // namespace quelvo::playback
