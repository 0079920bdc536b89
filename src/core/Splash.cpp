#include "core/Splash.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "core/Artwork.h"

namespace quelvo::core {

Splash::Splash(QSize sizePixels, std::function<void()> showMain)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), showMain_(std::move(showMain)) {
  setObjectName(QStringLiteral("Formnew"));
  setAccessibleName(QStringLiteral("Quelvo"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(sizePixels);
  picture_ = splashPicture(sizePixels);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->geometry().center() - rect().center());
  }
  Timer1.setSingleShot(true);
  Timer1.setInterval(600);
  connect(&Timer1, &QTimer::timeout, this, &Splash::Timer1_Timer);
}

void Splash::start() {
  show();
  Timer1.start();
}

void Splash::Timer1_Timer() {
  Timer1.stop();
  showMain_();
  close();
}

void Splash::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, picture_);
}

}  // namespace quelvo::core
