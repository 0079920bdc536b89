#pragma once

#include <QObject>

class QLabel;
class QTimer;
class QWidget;

namespace quelvo::skins {

// Where the Canvas catalog's slide stands; widths and lefts in twips.
struct SlideState {
  bool ListOut = false;  // the wanted state: true slides the catalog out
  int windowWidth = 0;
  int frameWidth = 0;  // the whole frame picture
  int stripLeft = 0;   // the right-edge strip
  int stripWidth = 0;
  bool stripShown = false;
  bool catalogShown = false;
};

// One tick of the slide: the window widens or narrows a step, the strip
// follows its right edge, and at the end the catalog shows (out) or the
// window is back to its start width (in). False when the slide has ended.
bool slideStep(SlideState& state);

// The Canvas catalog: the catalog button flips the wanted state and the timer
// Tmrcanvas moves the window edge a step per tick until it gets there.
class CanvasSlide : public QObject {
  Q_OBJECT

 public:
  CanvasSlide(QWidget* window, QWidget* frmlist, QTimer* Tmrcanvas, QObject* owner);

  // A fresh Canvas face: window at its start width, catalog in.
  void start(QLabel* strip, int frameWidth, int stripLeft);
  // The catalog button.
  void toggle();
  // Leaving the Canvas face: the timer stops and the catalog is wanted in.
  void stop();

  void Tmrcanvas_Timer();

 private:
  void apply();

  QWidget* window_;
  QWidget* frmlist_;
  QTimer* Tmrcanvas_;
  QLabel* strip_ = nullptr;
  SlideState state_;
};

}  // namespace quelvo::skins
