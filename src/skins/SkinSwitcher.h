#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <memory>

#include "core/session/SkinScheme.h"
#include "skins/SkinFace.h"

class QAction;
class QMenu;
class QWidget;

namespace quelvo::core {
class Dispatcher;
}
namespace quelvo::layout {
class PaneLayout;
}
namespace quelvo::platform {
class Platform;
}

namespace quelvo::skins {

class SkinWindow;

// The skin scheme menu "皮肤" and the switch between faces: item 0 the
// default face, 1 a separator, 2 to 4 the picture schemes, whose check marks
// follow the chosen scheme. A scheme's pictures are all loaded before the
// window changes: when one is missing the user is told and the face stays.
class SkinSwitcher : public QObject {
  Q_OBJECT

 public:
  SkinSwitcher(core::SkinSchemeState& state, const SkinWidgets& widgets, layout::PaneLayout& panes,
               core::Dispatcher& dispatcher, platform::Platform& platform, QString programFolder,
               QObject* owner);
  ~SkinSwitcher() override;

  std::array<QAction*, 5> MNUSKIN{};
  QMenu* createMenu(QWidget* parent) const;
  SkinFace& face() const { return *face_; }

  // The only entry for changing the scheme.
  void MNUSKIN_Click(int index);

 private:
  void followState();
  void applyPictureScheme(core::SkinScheme wanted);

  core::SkinSchemeState& state_;
  QWidget* window_;
  layout::PaneLayout& panes_;
  platform::Platform& platform_;
  QString programFolder_;
  SkinFace* face_;
  std::unique_ptr<SkinWindow> skinWindow_;
};

}  // namespace quelvo::skins
