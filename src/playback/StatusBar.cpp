#include "playback/StatusBar.h"

#include <QMouseEvent>

namespace quelvo::playback {

StatusBar::StatusBar(QWidget* parent)
    : core::PanelBar({{QStringLiteral("当前帧")},
                      {QStringLiteral("0"), 1},
                      {QStringLiteral("总帧数")},
                      {QStringLiteral("0"), 1},
                      {QStringLiteral("状态")},
                      {QString(), 4}},
                     parent) {}

QString StatusBar::panel(Panel panel) const { return panelText(static_cast<int>(panel)); }

void StatusBar::setPanel(Panel panel, const QString& text) {
  setPanelText(static_cast<int>(panel), text);
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
