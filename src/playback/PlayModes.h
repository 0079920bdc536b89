#pragma once

#include <QObject>
#include <array>
#include <functional>

class QAction;
class QActionGroup;
class QMenu;
class QWidget;

namespace quelvo::playback {

// The six play modes: radio items 0, 1, 2, 4, 5, 6 of the "播放选项" submenu
// (3 is a separator). The same actions appear in the control menu and in the
// status bar's popup, so the two can never disagree.
class PlayModes : public QObject {
  Q_OBJECT

 public:
  static constexpr int kCount = 7;
  static constexpr int kSeparator = 3;

  explicit PlayModes(QObject* owner);

  QAction* MnuOptions(int index) const { return items_[index]; }
  // A new "播放选项" submenu holding the mode items.
  QMenu* createMenu(QWidget* parent) const;

  // Chooses mode i: only i stays checked.
  void MnuOptions_Click(int index);
  // A single entry: the three multi-entry modes are unchecked and disabled, and
  // "单首正常播放" is checked unless another single-entry mode is.
  void leaveMultiEntryModes();
  // Uniform pick of an entry among `count` by the platform's random source.
  static int randomPick(double random, int count);

  // Start-up: the stored index, or mode 0 when it names no mode.
  void restore(int storedIndex);

  // The checked mode, or -1 when none is.
  int checked() const;
  bool isChecked(int index) const;
  QString caption(int index) const;
  // Caption of the checked mode (empty when none is).
  QString checkedCaption() const;

 signals:
  // A mode was chosen by the user.
  void chosen(int index);

 private:
  void checkOnly(int index);

  std::array<QAction*, kCount> items_{};
  QActionGroup* group_;
};

}  // namespace quelvo::playback
