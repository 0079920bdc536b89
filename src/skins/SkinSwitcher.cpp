#include "skins/SkinSwitcher.h"

#include <QAction>
#include <QMenu>

#include "core/Actions.h"
#include "core/Dispatcher.h"
#include "core/session/SkinScheme.h"

namespace quelvo::skins {

using core::SkinScheme;

namespace {
constexpr SkinScheme kSchemes[] = {SkinScheme::Default, SkinScheme::Canvas, SkinScheme::Face,
                                   SkinScheme::Love};
constexpr core::Command kCommands[] = {core::Command::SkinDefault, core::Command::SkinCanvas,
                                       core::Command::SkinFace, core::Command::SkinLove};
}  // namespace

SkinSwitcher::SkinSwitcher(core::SkinSchemeState& state, core::Dispatcher& dispatcher,
                           QObject* owner)
    : QObject(owner), state_(state) {
  const char* const captions[5] = {"默认  Alt+Q", "-", "油画  Alt+1", "笑脸  Alt+2", "爱心  Alt+3"};
  MNUSKIN[1] = core::makeSeparator(this, core::arrayName(QStringLiteral("MNUSKIN"), 1));
  for (int k = 0; k < 4; ++k) {
    const int i = static_cast<int>(kSchemes[k]);
    MNUSKIN[i] = core::makeCheckableAction(this, core::arrayName(QStringLiteral("MNUSKIN"), i),
                                           QString::fromUtf8(captions[i]));
    dispatcher.bind(kCommands[k], MNUSKIN[i], [this, i] { MNUSKIN_Click(i); });
  }
  connect(&state_, &core::SkinSchemeState::schemeChanged, this, &SkinSwitcher::followState);
  followState();
}

QMenu* SkinSwitcher::createMenu(QWidget* parent) const {
  QMenu* menu = core::makeMenu(parent, QStringLiteral("MNUSKINs"), QStringLiteral("皮肤"));
  for (QAction* item : MNUSKIN) menu->addAction(item);
  return menu;
}

void SkinSwitcher::followState() {
  for (SkinScheme scheme : kSchemes) {
    MNUSKIN[static_cast<std::size_t>(scheme)]->setChecked(state_.is(scheme));
  }
}

void SkinSwitcher::MNUSKIN_Click(int index) {
  // Picture schemes need the skinned face; without it the default face stays.
  if (index != static_cast<int>(SkinScheme::Default)) return;
  state_.setScheme(SkinScheme::Default);
  followState();
}

}  // namespace quelvo::skins
