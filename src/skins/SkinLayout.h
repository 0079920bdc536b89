#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>
#include <array>

namespace quelvo::skins {

// The picture schemes by their stored number (SKIN/INDEX).
enum class Scheme { Canvas = 1, Face = 2, Love = 3 };
inline constexpr std::array<Scheme, 3> kSchemes{Scheme::Canvas, Scheme::Face, Scheme::Love};

// Skin geometry is given in twips at the pictures' own scale: 15 twips to a
// picture pixel, whatever the screen's resolution.
inline constexpr int kSkinTwipsPerPixel = 15;
int skinPixels(int twips);
QPoint skinPixels(const QPoint& twips);
QRect skinPixels(const QRect& twips);

// The skin buttons PicBut 0 to 11 by role.
enum class SkinButton {
  Minimize = 0,
  FullMode = 1,
  Play = 2,
  Pause = 3,
  PreviousMovie = 4,
  NextMovie = 5,
  PlayOptions = 6,
  Open = 7,
  Close = 8,
  Catalog = 9,
  PreviousFrame = 10,
  NextFrame = 11,
};
inline constexpr int kSkinButtons = 12;

// Where a skin button's normal and pressed pictures come from.
struct ButtonArt {
  enum class Kind { Hidden, File, Cut };
  Kind kind = Kind::Hidden;
  // Kind::File: picture files of the scheme's folder; the button takes the
  // normal picture's size.
  QString normalFile;
  QString pressedFile;
  // Kind::Cut: a rectangle in pixels cut from the sheets PicButs(normalSheet)
  // and PicButs(pressedSheet), copied unscaled to the button's corner.
  int normalSheet = 0;
  int pressedSheet = 1;
  QRect cut;
};

struct ButtonPlace {
  // Twips. For Kind::File only the corner counts: the picture gives the size.
  QRect box;
  ButtonArt art;
};

// Everything that places a scheme's face on its frame picture.
struct SkinLayout {
  Scheme scheme = Scheme::Canvas;
  QString folder;      // under Skins/
  QString frameFile;   // the whole window picture
  QString regionFile;  // the window shape
  // The sheets PicButs 0 to 3; an empty name is no sheet. In Canvas element
  // 3 is the right-edge strip, shown at rightStrip.
  std::array<QString, 4> sheets;
  QPoint rightStrip;          // twips; Canvas only
  QRect movie;                // frmflash, twips
  QRect catalog;              // frmlist, twips
  bool catalogShown = false;  // the catalog panel is visible from the start
  // 0 for the frame picture's width; Canvas starts narrower, its catalog in.
  int startWidth = 0;  // twips
  QColor windowBackground;
  QColor movieBackground;
  bool movieBorder = false;  // a single-line border round the movie area
  QColor listBackground;
  QColor listText;  // invalid: unchanged
  std::array<ButtonPlace, kSkinButtons> buttons;
};

const SkinLayout& skinLayout(Scheme scheme);

// The Canvas catalog slide: the window starts this wide and slides in steps.
inline constexpr int kCanvasInWidth = 6050;
inline constexpr int kCanvasSlideStep = 250;

// Tool tips of the skin buttons, the same for every scheme.
QString skinButtonTip(SkinButton button);

}  // namespace quelvo::skins
