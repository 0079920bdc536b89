#include "skins/SkinFace.h"

#include <QCursor>
#include <QFrame>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QWindow>

#include "core/Command.h"
#include "core/Dispatcher.h"
#include "core/Naming.h"
#include "core/session/SkinScheme.h"
#include "layout/PaneLayout.h"
#include "skins/CanvasSlide.h"
#include "skins/PictureButton.h"
#include "skins/SkinArt.h"

namespace quelvo::skins {

namespace {

QString colourRule(const QString& property, const QColor& colour) {
  return colour.isValid() ? QStringLiteral("%1: %2;").arg(property, colour.name()) : QString();
}

}  // namespace

SkinFace::SkinFace(const SkinWidgets& widgets, layout::PaneLayout& panes,
                   core::SkinSchemeState& state, core::Dispatcher& dispatcher, QObject* owner)
    : QObject(owner), w_(widgets), panes_(panes), state_(state), dispatcher_(dispatcher) {
  Picskin = core::named(new QLabel(w_.client), QStringLiteral("Picskin"), QStringLiteral("皮肤"));
  Picskin->hide();
  Picskin->installEventFilter(this);
  rightStrip = core::named(new QLabel(w_.client), QStringLiteral("PicButs[3]"),
                           QStringLiteral("目录栏边框"));
  rightStrip->hide();
  for (int i = 0; i < kSkinButtons; ++i) {
    const auto role = static_cast<SkinButton>(i);
    PicBut_[i] = core::named(new PictureButton(w_.client), QStringLiteral("PicBut[%1]").arg(i),
                             skinButtonTip(role));
    PicBut_[i]->setToolTip(skinButtonTip(role));
    PicBut_[i]->hide();
    connect(PicBut_[i], &PictureButton::clicked, this, [this, role] { PicBut_Click(role); });
  }
  slide = new CanvasSlide(w_.window, w_.frmlist, w_.Tmrcanvas, this);
}

void SkinFace::setMenus(QMenu* fileMenu, QMenu* playOptions) {
  fileMenu_ = fileMenu;
  playOptions_ = playOptions;
}

void SkinFace::SKINFACE(const SkinLayout& layout, const SkinArt& art) {
  state_.setSkinOn(true);
  hidePanes();
  for (QPushButton* button : w_.Cmdlist) button->hide();

  Picskin->setPixmap(art.frame);
  Picskin->setGeometry(QRect(QPoint(0, 0), art.frame.deviceIndependentSize().toSize()));
  Picskin->lower();
  Picskin->show();
  if (layout.windowBackground.isValid()) {
    w_.client->setStyleSheet(
        QStringLiteral("QWidget#client { %1 }")
            .arg(colourRule(QStringLiteral("background"), layout.windowBackground)));
  }
  placeMovieAndCatalog(layout);
  placeButtons(layout, art);
  if (layout.scheme == Scheme::Canvas) {
    rightStrip->setPixmap(art.sheets[3]);
    rightStrip->setGeometry(
        QRect(skinPixels(layout.rightStrip), art.sheets[3].deviceIndependentSize().toSize()));
    rightStrip->show();
    slide->start(rightStrip,
                 art.frame.deviceIndependentSize().toSize().width() * kSkinTwipsPerPixel,
                 layout.rightStrip.x());
  }
}

void SkinFace::hidePanes() {
  if (panes_.MNUMU->isChecked()) panes_.MNUMU_Click();
  if (panes_.MNUBUTTON->isChecked()) panes_.MNUBUTTON_Click();
  if (panes_.MNUBAR->isChecked()) panes_.MNUBAR_Click();
}

void SkinFace::placeMovieAndCatalog(const SkinLayout& layout) {
  QFrame* movieArea = w_.frmflash;
  movieArea->setGeometry(skinPixels(layout.movie));
  movieArea->setFrameShape(layout.movieBorder ? QFrame::Box : QFrame::NoFrame);
  movieArea->setFrameShadow(QFrame::Plain);
  movieArea->setStyleSheet(
      QStringLiteral("QFrame#frmflash { %1 }")
          .arg(colourRule(QStringLiteral("background"), layout.movieBackground)));
  movieArea->show();
  w_.movie()->setGeometry(movieArea->contentsRect());

  w_.frmlist->setGeometry(skinPixels(layout.catalog));
  w_.frmlist->setVisible(layout.catalogShown);
  w_.frmlist->raise();
  w_.List2->setGeometry(QRect(QPoint(0, 0), w_.frmlist->size()));
  w_.List2->setFrameShape(QFrame::NoFrame);
  w_.List2->setStyleSheet(QStringLiteral("QListView { %1 %2 }")
                              .arg(colourRule(QStringLiteral("background"), layout.listBackground),
                                   colourRule(QStringLiteral("color"), layout.listText)));
}

void SkinFace::placeButtons(const SkinLayout& layout, const SkinArt& art) {
  for (int i = 0; i < kSkinButtons; ++i) {
    const ButtonPlace& place = layout.buttons[i];
    PictureButton* button = PicBut_[i];
    if (place.art.kind == ButtonArt::Kind::Hidden) {
      button->hide();
      continue;
    }
    button->setPictures(art.normal[i], art.pressed[i]);
    const QRect box = skinPixels(place.box);
    // A picture file gives the button its size; a cut keeps the box.
    const QSize size = place.art.kind == ButtonArt::Kind::File
                           ? art.normal[i].deviceIndependentSize().toSize()
                           : box.size();
    button->setGeometry(QRect(box.topLeft(), size));
    button->raise();
    button->show();
  }
}

void SkinFace::NOSKIN() {
  state_.setSkinOn(false);
  slide->stop();
  for (QPushButton* button : w_.Cmdlist) button->show();
  for (PictureButton* button : PicBut_) {
    button->hide();
    button->setPictures(QPixmap(), QPixmap());
  }
  Picskin->hide();
  Picskin->setPixmap(QPixmap());
  rightStrip->hide();
  rightStrip->setPixmap(QPixmap());
  w_.client->setStyleSheet(QString());
  w_.frmflash->setStyleSheet(QString());
  w_.frmflash->show();
  w_.List2->setStyleSheet(QString());
  w_.List2->setFrameShape(QFrame::StyledPanel);
  w_.frmlist->hide();
  panes_.setCatalogWidth(layout::PaneLayout::kCatalogWidth);
  panes_.SheZhi();
}

void SkinFace::PicBut_Click(SkinButton button) {
  switch (button) {
    case SkinButton::Minimize:
      w_.window->showMinimized();
      break;
    case SkinButton::FullMode:
      if (fullMode_) fullMode_();
      break;
    case SkinButton::Play:
      dispatcher_.MenuButtons(core::Command::Play);
      break;
    case SkinButton::Pause:
      dispatcher_.MenuButtons(core::Command::Pause);
      break;
    case SkinButton::PreviousMovie:
      dispatcher_.MenuButtons(core::Command::PreviousEntry);
      break;
    case SkinButton::NextMovie:
      dispatcher_.MenuButtons(core::Command::NextEntry);
      break;
    case SkinButton::PlayOptions:
      if (playOptions_ != nullptr) playOptions_->popup(QCursor::pos());
      break;
    case SkinButton::Open:
      dispatcher_.MenuButtons(core::Command::Open);
      break;
    case SkinButton::Close:
      w_.window->close();
      break;
    case SkinButton::Catalog:
      if (state_.is(core::SkinScheme::Canvas)) slide->toggle();
      if (state_.is(core::SkinScheme::Love)) swapMovieAndCatalog();
      break;
    case SkinButton::PreviousFrame:
      dispatcher_.MenuButtons(core::Command::PreviousFrame);
      break;
    case SkinButton::NextFrame:
      dispatcher_.MenuButtons(core::Command::NextFrame);
      break;
  }
}

void SkinFace::swapMovieAndCatalog() {
  const bool movieShown = !w_.frmflash->isHidden();
  w_.frmflash->setVisible(!movieShown);
  w_.frmlist->setVisible(movieShown);
}

bool SkinFace::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Picskin) {
    const auto* mouse = dynamic_cast<QMouseEvent*>(event);
    if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
      // The frame picture is the skinned window's title bar.
      if (QWindow* window = w_.window->windowHandle()) window->startSystemMove();
      return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::RightButton &&
        fileMenu_ != nullptr) {
      fileMenu_->popup(mouse->globalPosition().toPoint());
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace quelvo::skins
