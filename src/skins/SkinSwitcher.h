#pragma once

#include <QObject>
#include <array>

class QAction;
class QMenu;
class QWidget;

namespace quelvo::core {
class Dispatcher;
class SkinSchemeState;
}  // namespace quelvo::core

namespace quelvo::skins {

// The skin scheme menu "皮肤": item 0 the default face, 1 a separator, 2 to 4
// the picture schemes. The check marks follow the chosen scheme.
class SkinSwitcher : public QObject {
  Q_OBJECT

 public:
  SkinSwitcher(core::SkinSchemeState& state, core::Dispatcher& dispatcher, QObject* owner);

  std::array<QAction*, 5> MNUSKIN{};
  QMenu* createMenu(QWidget* parent) const;

  // The only entry for changing the scheme. The picture schemes are applied by
  // the skinned face; until it is available the window keeps its default face.
  void MNUSKIN_Click(int index);

 private:
  void followState();

  core::SkinSchemeState& state_;
};

}  // namespace quelvo::skins
