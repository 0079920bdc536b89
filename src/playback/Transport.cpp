#include "playback/Transport.h"

#include <QAction>
#include <QTimer>

#include "catalog/CatalogList.h"
#include "catalog/CatalogModel.h"
#include "catalog/MissingFile.h"
#include "core/Actions.h"
#include "core/Dispatcher.h"
#include "core/session/CurrentEntry.h"
#include "core/session/PlayMode.h"
#include "platform/Platform.h"
#include "playback/FrameSlider.h"
#include "playback/MovieControlArray.h"
#include "playback/PlayModes.h"
#include "playback/PlaybackCommands.h"
#include "playback/StatusBar.h"

namespace quelvo::playback {

using core::Command;

Transport::Transport(const PlayerWidgets& widgets, catalog::CatalogModel& catalog,
                     catalog::CatalogList& list, PlaybackCommands& commands,
                     const core::PlayModeState& playMode, core::CurrentEntry& Labn,
                     core::Dispatcher& dispatcher, platform::Platform& platform, QObject* owner)
    : QObject(owner),
      w_(widgets),
      catalog_(catalog),
      list_(list),
      commands_(commands),
      playMode_(playMode),
      Labn_(Labn),
      platform_(platform) {
  const auto button = [this](int index) { return [this, index] { Command1_Click(index); }; };
  dispatcher.bind(Command::PlayPause, commands_.MNUPLAY, [this] { MNUPLAY_Click(); });
  dispatcher.bind(Command::Rewind, commands_.MNUREWIND, button(RewindButton));
  dispatcher.bind(Command::PreviousFrame, commands_.MNUBACK, button(BackButton));
  dispatcher.bind(Command::NextFrame, commands_.MNUFORWORD, button(ForwardButton));
  dispatcher.bind(Command::PreviousEntry, commands_.MNUBACKONE, button(PreviousButton));
  dispatcher.bind(Command::NextEntry, commands_.MNUNEXTONE, button(NextButton));
  // Play and pause are the buttons' own; their actions show in no menu.
  dispatcher.bind(Command::Play,
                  core::makeAction(this, QStringLiteral("CMDPLAY"), QStringLiteral("播放")),
                  button(PlayButton));
  dispatcher.bind(Command::Pause,
                  core::makeAction(this, QStringLiteral("CMDPAUSE"), QStringLiteral("暂停")),
                  button(PauseButton));
  const std::pair<int, Command> buttons[] = {
      {PlayButton, Command::Play},          {PauseButton, Command::Pause},
      {BackButton, Command::PreviousFrame}, {ForwardButton, Command::NextFrame},
      {RewindButton, Command::Rewind},      {PreviousButton, Command::PreviousEntry},
      {NextButton, Command::NextEntry}};
  for (const auto& [index, command] : buttons) dispatcher.bindButton(command, w_.Command1[index]);
}

void Transport::MNUPLAY_Click() {
  Command1_Click(w_.movie().IsPlaying() ? PauseButton : PlayButton);
}

void Transport::Command1_Click(int index) {
  MovieControl& movie = w_.movie();
  if (movie.movie().size() <= 1) return;
  switch (index) {
    case PlayButton:
      if (movie.IsPlaying()) return;
      w_.tmrsld->start();
      movie.Play();
      break;
    case PauseButton:
      if (!movie.IsPlaying()) return;
      w_.tmrsld->stop();
      movie.Stop();
      break;
    case BackButton:
      movie.Back();
      w_.tmrsld->stop();
      break;
    case ForwardButton:
      movie.Forward();
      w_.tmrsld->stop();
      break;
    case RewindButton:
      movie.Rewind();
      w_.tmrsld->stop();
      break;
    case PreviousButton:
    case NextButton:
      if (catalog_.count() < 2) return;
      stepEntry(index);
      if (catalog_.count() == 0) return;
      break;
    default:
      return;
  }
  tail();
}

void Transport::updateEntrySteps(int count) {
  const bool stepping = w_.Command1[PlayButton]->isEnabled() && count > 1;
  commands_.MNUBACKONE->setEnabled(stepping);
  commands_.MNUNEXTONE->setEnabled(stepping);
  w_.enableButtons(PreviousButton, NextButton, stepping);
}

void Transport::stepEntry(int button) {
  w_.movie().Stop();
  int index = Labn_.value();
  const int count = catalog_.count();
  if (playMode_.is(core::PlayMode::MultiRandom)) {
    index = PlayModes::randomPick(platform_.random(), count);
  } else if (button == PreviousButton) {
    index = index >= 1 ? index - 1 : 0;
  } else if (index <= count - 2) {
    index = std::max(0, index + 1);
  }
  index = std::clamp(index, 0, count - 1);
  while (catalog_.count() > 0 && !catalog::isPlayableFile(catalog_.path(index))) {
    catalog::showMissingFile(platform_, catalog_.path(index));
    catalog_.removeAt(index);
    list_.ListRefresh();
    if (button == NextButton) index = index >= 1 ? index - 1 : 0;
    index = std::min(index, catalog_.count() - 1);
  }
  if (catalog_.count() > 0) loadEntry(index, button);
}

void Transport::loadEntry(int index, int focusButton) {
  commands_.NewFlash();
  QPushButton* focus = w_.Command1[focusButton];
  if (!w_.Frame1->isHidden() && focus->isEnabled()) focus->setFocus();
  commands_.startMovie(catalog_.path(index));
  w_.Sldflash->setValue(w_.Sldflash->minimum());
  Labn_.set(index);
}

void Transport::tail() {
  w_.Sldflash->setValue(w_.movie().FrameNum() + 1);
  w_.Bar1->setPanel(StatusBar::Panel::CurrentFrame, QString::number(w_.Sldflash->value()));
  list_.selectRow(Labn_.value());
}

}  // namespace quelvo::playback
