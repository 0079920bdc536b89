#include "playback/VolumeSlider.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

namespace quelvo::playback {

namespace {

// A slider that passes Up and Down on to the menu it sits in.
class MenuSlider : public QSlider {
 public:
  using QSlider::QSlider;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
      event->ignore();
      return;
    }
    QSlider::keyPressEvent(event);
  }
};

QString levelText(int percent) { return QStringLiteral("%1%").arg(percent); }

}  // namespace

VolumeSlider::VolumeSlider(QWidget* parent)
    : QWidget(parent), slider_(new MenuSlider(Qt::Horizontal, this)), levelText_(new QLabel(this)) {
  setObjectName(QStringLiteral("SldVolume"));
  setAccessibleName(QStringLiteral("音量"));
  auto* caption = new QLabel(QStringLiteral("音量"), this);
  slider_->setObjectName(QStringLiteral("SldVolumeBar"));
  slider_->setAccessibleName(QStringLiteral("音量"));
  slider_->setRange(0, 100);
  slider_->setSingleStep(5);
  slider_->setPageStep(10);
  slider_->setMinimumWidth(120);
  slider_->setFocusPolicy(Qt::StrongFocus);
  caption->setBuddy(slider_);
  // The level label's text changes, so it carries no fixed accessible name;
  // screen readers read the slider's own value.
  levelText_->setMinimumWidth(levelText_->fontMetrics().horizontalAdvance(levelText(100)));
  levelText_->setText(levelText(slider_->value()));
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(24, 4, 12, 4);
  row->addWidget(caption);
  row->addWidget(slider_, 1);
  row->addWidget(levelText_);
  connect(slider_, &QSlider::valueChanged, this, [this](int value) {
    levelText_->setText(levelText(value));
    emit levelChosen(value);
  });
}

void VolumeSlider::showLevel(int percent) {
  const QSignalBlocker quiet(slider_);
  slider_->setValue(percent);
  levelText_->setText(levelText(slider_->value()));
}

}  // namespace quelvo::playback
