#include "core/PanelBar.h"

#include <QLabel>

namespace quelvo::core {

PanelBar::PanelBar(const std::vector<Panel>& panels, QWidget* parent) : QStatusBar(parent) {
  setObjectName(QStringLiteral("Bar1"));
  setAccessibleName(QStringLiteral("状态栏"));
  setSizeGripEnabled(false);
  for (std::size_t i = 0; i < panels.size(); ++i) {
    auto* label = new QLabel(panels[i].text, this);
    label->setObjectName(QStringLiteral("Bar1.Panels(%1)").arg(i + 1));
    if (i % 2 == 0) {
      label->setAccessibleName(panels[i].text);
    } else {
      label->setAccessibleDescription(panels[i - 1].text);
    }
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setContentsMargins(4, 0, 4, 0);
    addPermanentWidget(label, panels[i].stretch);
    panels_.push_back(label);
  }
}

QString PanelBar::panelText(int number) const {
  return panels_.at(static_cast<std::size_t>(number) - 1)->text();
}

void PanelBar::setPanelText(int number, const QString& text) {
  panels_.at(static_cast<std::size_t>(number) - 1)->setText(text);
}

}  // namespace quelvo::core
