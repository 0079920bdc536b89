#pragma once

#include <QStatusBar>
#include <vector>

class QLabel;

namespace quelvo::core {

// A status bar of panels numbered from 1 that alternate a fixed caption (odd
// numbers) and a changing value (even numbers). A caption keeps its text as
// its accessible name; a value has none, so a screen reader reads its current
// text, described by the caption before it.
class PanelBar : public QStatusBar {
  Q_OBJECT

 public:
  struct Panel {
    QString text;
    int stretch = 0;
  };

  PanelBar(const std::vector<Panel>& panels, QWidget* parent = nullptr);

  QString panelText(int number) const;
  void setPanelText(int number, const QString& text);

 private:
  std::vector<QLabel*> panels_;
};

}  // namespace quelvo::core
