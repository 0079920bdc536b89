#include "skins/SkinSwitcher.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include "core/Actions.h"
#include "core/BusyCursor.h"
#include "core/Dispatcher.h"
#include "core/DrawingLock.h"
#include "core/session/SkinScheme.h"
#include "layout/PaneLayout.h"
#include "platform/Platform.h"
#include "skins/CanvasSlide.h"
#include "skins/SkinArt.h"
#include "skins/SkinWindow.h"

namespace quelvo::skins {

using core::SkinScheme;

namespace {
constexpr SkinScheme kMenuSchemes[] = {SkinScheme::Default, SkinScheme::Canvas, SkinScheme::Face,
                                       SkinScheme::Love};
constexpr core::Command kCommands[] = {core::Command::SkinDefault, core::Command::SkinCanvas,
                                       core::Command::SkinFace, core::Command::SkinLove};

// The picture scheme of a skin-menu item: its index less one.
Scheme pictureScheme(SkinScheme item) { return static_cast<Scheme>(static_cast<int>(item) - 1); }
}  // namespace

SkinSwitcher::SkinSwitcher(core::SkinSchemeState& state, const SkinWidgets& widgets,
                           layout::PaneLayout& panes, core::Dispatcher& dispatcher,
                           platform::Platform& platform, QString programFolder, QObject* owner)
    : QObject(owner),
      state_(state),
      window_(widgets.window),
      panes_(panes),
      platform_(platform),
      programFolder_(std::move(programFolder)),
      face_(new SkinFace(widgets, panes, state, dispatcher, this)),
      skinWindow_(std::make_unique<SkinWindow>(widgets.window, panes)) {
  const char* const captions[5] = {"默认  Alt+Q", "-", "油画  Alt+1", "笑脸  Alt+2", "爱心  Alt+3"};
  MNUSKIN[1] = core::makeSeparator(this, core::arrayName(QStringLiteral("MNUSKIN"), 1));
  for (int k = 0; k < 4; ++k) {
    const int i = static_cast<int>(kMenuSchemes[k]);
    MNUSKIN[i] = core::makeCheckableAction(this, core::arrayName(QStringLiteral("MNUSKIN"), i),
                                           QString::fromUtf8(captions[i]));
    dispatcher.bind(kCommands[k], MNUSKIN[i], [this, i] { MNUSKIN_Click(i); });
  }
  face_->onFullMode([this] { MNUSKIN_Click(static_cast<int>(SkinScheme::Default)); });
  connect(&state_, &core::SkinSchemeState::schemeChanged, this, &SkinSwitcher::followState);
  followState();
}

SkinSwitcher::~SkinSwitcher() = default;

QMenu* SkinSwitcher::createMenu(QWidget* parent) const {
  QMenu* menu = core::makeMenu(parent, QStringLiteral("MNUSKINs"), QStringLiteral("皮肤"));
  for (QAction* item : MNUSKIN) menu->addAction(item);
  return menu;
}

void SkinSwitcher::followState() {
  for (SkinScheme scheme : kMenuSchemes) {
    MNUSKIN[static_cast<std::size_t>(scheme)]->setChecked(state_.is(scheme));
  }
}

void SkinSwitcher::MNUSKIN_Click(int index) {
  const auto wanted = static_cast<SkinScheme>(index);
  if (index < 0 || index > 4 || index == 1 || state_.is(wanted)) {
    followState();
    return;
  }
  core::BusyCursor busy;
  core::DrawingLock lock(window_);
  face_->slide->stop();
  if (wanted == SkinScheme::Default) {
    skinWindow_->undo();
    face_->NOSKIN();
    state_.setScheme(SkinScheme::Default);
    panes_.RestoreWindowState();
    return;
  }
  applyPictureScheme(wanted);
}

void SkinSwitcher::applyPictureScheme(SkinScheme wanted) {
  const SkinLayout& layout = skinLayout(pictureScheme(wanted));
  const std::optional<SkinArt> art =
      loadSkinArt(programFolder_, layout, window_->devicePixelRatioF());
  if (!art) {
    followState();
    platform::tell(platform_, QStringLiteral("错误"),
                   QStringLiteral("无法更换皮肤，请查看Skins文件夹。"),
                   platform::MessageIcon::Critical);
    return;
  }
  panes_.SaveWindowState();
  if (window_->isMaximized()) window_->showNormal();
  if (state_.SkinOn()) face_->NOSKIN();
  state_.setScheme(wanted);
  skinWindow_->SKIN(layout, *art);
  face_->SKINFACE(layout, *art);
}

}  // namespace quelvo::skins
