#pragma once

#include <QDialog>
#include <array>

class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace quelvo::platform {
class Platform;
}

namespace quelvo::core {

class Twips;

class SettingsStore;

// The options dialog Opt: whether the settings are saved at exit (EXIT/SAVE) and which of them
// (the eight switches of the EXIT section, one check box each). OK writes the choice in one
// save; Cancel, Esc and the close box write nothing.
class Opt : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kSwitchCount = 8;

  Opt(SettingsStore& settings, const Twips& twips, QWidget* parent = nullptr);

  // The menu command: shows the dialog modally over `parent` and discards it when it closes.
  static void MNUOPT_Click(QWidget* parent, SettingsStore& settings, const Twips& twips,
                           platform::Platform& platform);

  // Check box `index`, numbered 1 to kSwitchCount as designed.
  QCheckBox* ChkFile(int index) const;

  std::array<QRadioButton*, 2> OptSave{};
  QGroupBox* Frame1 = nullptr;
  std::array<QPushButton*, 2> CmdOk{};

  // Option button `index` was selected: the switches are editable only while saving at exit.
  void OptSave_Click(int index);
  // 0: OK (write and close), 1: Cancel (close).
  void CmdOk_Click(int index);

 private:
  void createWidgets(const Twips& twips);
  void Form_Load();

  SettingsStore& settings_;
  std::array<QCheckBox*, kSwitchCount> switches_{};
};

}  // namespace quelvo::core
