#include "playback/StatusBar.h"

#include <QLabel>
#include <QMouseEvent>

namespace quelvo::playback {

StatusBar::StatusBar(QWidget* parent) : QStatusBar(parent) {
  setObjectName(QStringLiteral("Bar1"));
  setAccessibleName(QStringLiteral("状态栏"));
  setSizeGripEnabled(false);
  const char* const initial[6] = {"当前帧", "0", "总帧数", "0", "状态", ""};
  const int stretch[6] = {0, 1, 0, 1, 0, 4};
  for (int i = 0; i < 6; ++i) {
    panels_[i] = new QLabel(QString::fromUtf8(initial[i]), this);
    panels_[i]->setObjectName(QStringLiteral("Bar1.Panels(%1)").arg(i + 1));
    // The captions keep their name; a changing panel has none, so a screen
    // reader reads its current text, described by the caption before it.
    if (i % 2 == 0) {
      panels_[i]->setAccessibleName(QString::fromUtf8(initial[i]));
    } else {
      panels_[i]->setAccessibleDescription(QString::fromUtf8(initial[i - 1]));
    }
    panels_[i]->setFrameShape(QFrame::StyledPanel);
    panels_[i]->setFrameShadow(QFrame::Sunken);
    panels_[i]->setContentsMargins(4, 0, 4, 0);
    addPermanentWidget(panels_[i], stretch[i]);
  }
}

QString StatusBar::panel(Panel panel) const {
  return panels_.at(static_cast<std::size_t>(panel) - 1)->text();
}

void StatusBar::setPanel(Panel panel, const QString& text) {
  QLabel* label = panels_.at(static_cast<std::size_t>(panel) - 1);
  label->setText(text);
}

void StatusBar::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) emit rightClicked(event->globalPosition().toPoint());
  QStatusBar::mouseReleaseEvent(event);
}

void StatusBar::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit doubleClicked();
  QStatusBar::mouseDoubleClickEvent(event);
}

}  // namespace quelvo::playback
