#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace quelvo::skins {

// A skin button: its normal picture, or its pressed one while any mouse
// button (or the space key) holds it down, drawn at its top-left corner
// without scaling. A left click runs it; a right press only shows the
// pressed picture.
class PictureButton : public QAbstractButton {
  Q_OBJECT

 public:
  explicit PictureButton(QWidget* parent = nullptr);

  void setPictures(const QPixmap& normal, const QPixmap& pressed);
  bool showsPressed() const { return isDown() || rightDown_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QPixmap normal_;
  QPixmap pressed_;
  bool rightDown_ = false;
};

}  // namespace quelvo::skins
