#pragma once

#include <QObject>
#include <array>

class QAction;
class QMenu;
class QWidget;

namespace quelvo::skins {

// The skin scheme menu "皮肤": item 0 the default face, 1 a separator, 2 to 4
// the picture schemes. Exactly one of 0, 2, 3, 4 is checked.
class SkinSwitcher : public QObject {
  Q_OBJECT

 public:
  explicit SkinSwitcher(QObject* owner);

  std::array<QAction*, 5> MNUSKIN{};
  QMenu* createMenu(QWidget* parent) const;

  // True while a picture skin is on the window.
  bool SkinOn() const { return skinOn_; }
  bool isChecked(int index) const;

  // The only entry for changing the scheme. The picture schemes are applied by
  // the skinned face; until it is available the window keeps its default face.
  void MNUSKIN_Click(int index);

 private:
  bool skinOn_ = false;
};

}  // namespace quelvo::skins
