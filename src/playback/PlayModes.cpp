#include "playback/PlayModes.h"

#include <QActionGroup>
#include <QMenu>
#include <algorithm>

#include "core/Actions.h"

namespace quelvo::playback {

namespace {
const char* const kCaptions[PlayModes::kCount] = {
    "多首连续播放", "多首随机播放", "多首正常连续", "-",
    "单首连续播放", "单首正常播放", "单首正常循环"};
}

PlayModes::PlayModes(QObject* owner) : QObject(owner), group_(new QActionGroup(this)) {
  // An exclusive-optional group draws the items with a radio look and still
  // lets every item be unchecked.
  group_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  for (int i = 0; i < kCount; ++i) {
    const QString name = core::arrayName(QStringLiteral("MnuOptions"), i);
    if (i == kSeparator) {
      items_[i] = core::makeSeparator(this, name);
      continue;
    }
    items_[i] = core::makeCheckableAction(this, name, QString::fromUtf8(kCaptions[i]), i == 0);
    group_->addAction(items_[i]);
    connect(items_[i], &QAction::triggered, this, [this, i] {
      MnuOptions_Click(i);
      emit chosen(i);
    });
  }
}

QMenu* PlayModes::createMenu(QWidget* parent) const {
  auto* menu = new QMenu(QStringLiteral("播放选项"), parent);
  menu->setObjectName(QStringLiteral("MNUPLAYCON"));
  for (QAction* item : items_) menu->addAction(item);
  return menu;
}

void PlayModes::MnuOptions_Click(int index) { checkOnly(index); }

void PlayModes::leaveMultiEntryModes() {
  for (int i : {0, 1, 2}) {
    items_[i]->setChecked(false);
    items_[i]->setEnabled(false);
  }
  if (!isChecked(4) && !isChecked(6)) checkOnly(5);
}

int PlayModes::randomPick(double random, int count) {
  return std::clamp(static_cast<int>(random * count), 0, std::max(0, count - 1));
}

void PlayModes::restore(int storedIndex) {
  const bool names_a_mode = storedIndex >= 0 && storedIndex < kCount && storedIndex != kSeparator;
  checkOnly(names_a_mode ? storedIndex : 0);
}

void PlayModes::checkOnly(int index) {
  for (int i = 0; i < kCount; ++i) {
    if (i != kSeparator) items_[i]->setChecked(i == index);
  }
}

int PlayModes::checked() const {
  for (int i = 0; i < kCount; ++i) {
    if (isChecked(i)) return i;
  }
  return -1;
}

bool PlayModes::isChecked(int index) const {
  return index != kSeparator && items_[index]->isChecked();
}

QString PlayModes::caption(int index) const { return QString::fromUtf8(kCaptions[index]); }

QString PlayModes::checkedCaption() const {
  const int index = checked();
  return index < 0 ? QString() : caption(index);
}

}  // namespace quelvo::playback
