#pragma once

#include <QObject>

namespace quelvo::core {

// The window faces, by their item in the skin menu.
enum class SkinScheme { Default = 0, Canvas = 2, Face = 3, Love = 4 };

// The chosen scheme, and SkinOn: whether a picture face is on the window.
class SkinSchemeState : public QObject {
  Q_OBJECT

 public:
  SkinScheme scheme() const { return scheme_; }
  bool is(SkinScheme scheme) const { return scheme_ == scheme; }
  void setScheme(SkinScheme scheme) {
    if (scheme == scheme_) return;
    scheme_ = scheme;
    emit schemeChanged(scheme);
  }
  bool SkinOn() const { return skinOn_; }
  void setSkinOn(bool on) { skinOn_ = on; }

 signals:
  void schemeChanged(SkinScheme scheme);

 private:
  SkinScheme scheme_ = SkinScheme::Default;
  bool skinOn_ = false;
};

}  // namespace quelvo::core
