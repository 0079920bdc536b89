#include "catalog/CatalogList.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QToolTip>

#include "app/Form1.h"
#include "catalog/CatalogCommands.h"
#include "catalog/CatalogModel.h"
#include "catalog/CatalogText.h"
#include "core/settings/SettingValue.h"
#include "layout/PaneLayout.h"
#include "platform/Platform.h"
#include "playback/FrameSlider.h"
#include "playback/LoopRegion.h"
#include "playback/MissingFile.h"
#include "playback/MovieControlArray.h"
#include "playback/PlayModes.h"
#include "playback/PlaybackCommands.h"
#include "playback/StatusBar.h"
#include "playback/ViewCommands.h"
#include "skins/SkinSwitcher.h"

namespace quelvo::catalog {

namespace {

void tellUser(platform::Platform& platform, const QString& text) {
  platform::MessageRequest message;
  message.title = QStringLiteral("Quelvo");
  message.text = text;
  message.icon = platform::MessageIcon::Exclamation;
  platform.message(message);
}

}  // namespace

CatalogList::CatalogList(app::Form1& form) : QObject(&form), f_(form) {
  CatalogCommands& c = *f_.catalogCommands;
  for (int i = 0; i < 5; ++i) {
    connect(f_.Cmdlist[i], &QPushButton::clicked, this, [this, i] { Cmdlist_Click(i); });
  }
  connect(c.MNUADD, &QAction::triggered, this, [this] { Cmdlist_Click(0); });
  connect(c.MNUFILEADD, &QAction::triggered, this, [this] { Cmdlist_Click(0); });
  connect(c.MNUDEL, &QAction::triggered, this, [this] { Cmdlist_Click(1); });
  connect(c.MNUUP, &QAction::triggered, this, [this] { Cmdlist_Click(3); });
  connect(c.MNUDOWN, &QAction::triggered, this, [this] { Cmdlist_Click(4); });
  connect(c.MNUCLE, &QAction::triggered, this, &CatalogList::MNUCLE_Click);
  connect(f_.List2->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this] { List2_Click(); });
  connect(f_.List2, &QListView::doubleClicked, this, [this] { List2_DblClick(); });
  f_.List2->viewport()->installEventFilter(this);
  f_.List2->viewport()->setMouseTracking(true);
}

int CatalogList::selectedRow() const {
  const QModelIndex current = f_.List2->currentIndex();
  return current.isValid() && f_.List2->selectionModel()->isSelected(current) ? current.row() : -1;
}

void CatalogList::selectRow(int row) {
  if (row < 0 || row >= f_.catalog->count()) {
    f_.List2->selectionModel()->clear();
    return;
  }
  f_.List2->setCurrentIndex(f_.catalog->index(row, CatalogModel::kDisplayColumn));
}

int CatalogList::rowAt(const QPoint& pos) const {
  const QModelIndex index = f_.List2->indexAt(pos);
  return index.isValid() && index.row() < f_.catalog->count() ? index.row() : -1;
}

int CatalogList::currentEntry() const { return static_cast<int>(core::numericValue(f_.Labn)); }

void CatalogList::setCurrentEntry(int index) { f_.Labn = QString::number(index); }

Entry CatalogList::entryForFile(const QString& folder, const QString& name) {
  return {folder + name, name.left(std::max<qsizetype>(0, name.size() - 4))};
}

bool CatalogList::appendEntries(const std::vector<Entry>& entries) {
  std::vector<Entry> storable;
  QStringList refused;
  for (const Entry& entry : entries) {
    // A catalog line cannot hold a path with "|": it would read back as another path.
    if (entry.path.contains(QLatin1Char('|'))) {
      refused << entry.path;
    } else {
      storable.push_back(entry);
    }
  }
  platform::Platform& platform = f_.environment().platform;
  if (!refused.isEmpty()) {
    tellUser(platform,
             QStringLiteral("文件名中含有“|”，无法加入目录栏：\n") + refused.join(QChar('\n')));
  }
  const int added = f_.catalog->append(storable);
  if (added < static_cast<int>(storable.size())) {
    tellUser(platform, QStringLiteral("目录栏最多只能容纳 %1 首，其余 %2 首未加入。")
                           .arg(CatalogModel::kMaxEntries)
                           .arg(static_cast<int>(storable.size()) - added));
  }
  return refused.isEmpty() && added == static_cast<int>(storable.size());
}

void CatalogList::LoadFlash() {
  const playback::FileSelection& selection = f_.fileSelection;
  if (selection.count() == 0) return;
  const std::optional<std::vector<Entry>> entries =
      readCatalogFile(selection.pathAt(selection.position));
  // A catalog file that cannot be read is skipped.
  if (entries) appendEntries(*entries);
  if (f_.catalog->count() > 0) selectRow(0);
}

void CatalogList::Cmdlist_Click(int index) {
  switch (index) {
    case 0:
      addFiles();
      break;
    case 1:
      deleteSelected();
      break;
    case 2:
      f_.panes->MNUMU_Click();
      break;
    case 3:
      moveUp();
      break;
    case 4:
      moveDown();
      break;
    default:
      break;
  }
}

void CatalogList::addFiles() {
  f_.fileSelection.position = 0;
  if (!f_.playback->Toopen()) return;
  const playback::FileSelection& selection = f_.fileSelection;
  for (int i = 0; i < selection.count(); ++i) {
    f_.fileSelection.position = i;
    const QString& name = selection.names[i];
    if (name.right(3) == QStringLiteral("qvl")) {
      LoadFlash();
    } else {
      appendEntries({entryForFile(selection.folder, name)});
    }
  }
  if (f_.catalog->count() > 0) selectRow(currentEntry());
  commonTail();
}

void CatalogList::deleteSelected() {
  const int p = selectedRow();
  if (p >= 0) f_.catalog->removeAt(p);
  f_.List2->setFocus();
  if (currentEntry() >= p) setCurrentEntry(currentEntry() - 1);
  const int count = f_.catalog->count();
  selectRow(p < count - 1 ? p : count - 1);
  commonTail();
}

void CatalogList::moveUp() {
  const int selected = selectedRow();
  if (selected == 0) return;
  if (selected > 0) {
    f_.catalog->swap(selected, selected - 1);
    selectRow(selected - 1);
  }
  setCurrentEntry(selectedRow());
  commonTail();
}

void CatalogList::moveDown() {
  const int selected = selectedRow();
  if (selected >= f_.catalog->count() - 1) return;
  if (selected >= 0) f_.catalog->swap(selected, selected + 1);
  selectRow(selected + 1);
  setCurrentEntry(selectedRow());
  commonTail();
}

void CatalogList::commonTail() {
  const bool several = f_.catalog->count() > 1;
  f_.multipleEntries = several;
  f_.playModes->MnuOptions(0)->setEnabled(several);
  f_.playModes->MnuOptions(1)->setEnabled(several);
  ListRefresh();
}

void CatalogList::ListRefresh() {
  const int n = f_.catalog->count();
  CatalogCommands& c = *f_.catalogCommands;
  playback::PlayModes& modes = *f_.playModes;
  if (n == 0) {
    MNUCLE_Click();
    return;
  }
  if (n == 1) {
    f_.Cmdlist[3]->setEnabled(false);
    f_.Cmdlist[4]->setEnabled(false);
    c.MNUUP->setEnabled(false);
    c.MNUDOWN->setEnabled(false);
    modes.leaveMultiEntryModes();
  } else {
    for (int i : {0, 1, 2}) modes.MnuOptions(i)->setEnabled(true);
  }
  const bool stepping = f_.Command1[0]->isEnabled() && n > 1;
  f_.multipleEntries = stepping;
  f_.playback->MNUBACKONE->setEnabled(stepping);
  f_.playback->MNUNEXTONE->setEnabled(stepping);
  f_.Command1[5]->setEnabled(stepping);
  f_.Command1[6]->setEnabled(stepping);
  if (n > 2) {
    modes.MnuOptions(1)->setEnabled(true);
  } else {
    modes.MnuOptions(1)->setEnabled(false);
    modes.MnuOptions(1)->setChecked(false);
    // Only when no mode is left checked, so that exactly one stays checked.
    if (modes.checked() < 0) modes.MnuOptions_Click(0);
  }
  f_.Cmdlist[1]->setEnabled(true);
  for (QAction* item : {c.MNUDEL, c.MNUSAVE, c.MNURUN[1], c.MNURUN[2], c.MNUCLE}) {
    item->setEnabled(true);
  }
  const int selected = selectedRow();
  f_.Cmdlist[3]->setEnabled(selected != 0);
  c.MNUUP->setEnabled(selected != 0);
  f_.Cmdlist[4]->setEnabled(selected + 1 != n);
  c.MNUDOWN->setEnabled(selected + 1 != n);
  if (modes.checked() >= 0) f_.Bar1->setPanel(6, modes.checkedCaption());
  if (f_.loopRegion->MNUSEL->isChecked()) f_.loopRegion->MNUSEL_Click();
}

void CatalogList::MNUCLE_Click() {
  f_.catalog->clear();
  f_.playback->MNUCLOSE_Click();
  CatalogCommands& c = *f_.catalogCommands;
  for (QPushButton* button : {f_.Cmdlist[1], f_.Cmdlist[3], f_.Cmdlist[4]}) {
    button->setEnabled(false);
  }
  for (QAction* item : {c.MNUDEL, c.MNUUP, c.MNUDOWN, c.MNURUN[1], c.MNURUN[2], c.MNUCLE, c.MNUSAVE,
                        f_.view->MNUQUALITY}) {
    item->setEnabled(false);
  }
  for (int i : {1, 0, 2}) f_.playModes->MnuOptions(i)->setEnabled(true);
}

void CatalogList::List2_DblClick() {
  const int p = selectedRow();
  if (p < 0) return;
  setCurrentEntry(p);
  const QString path = f_.catalog->path(p);
  if (!playback::isPlayableFile(path)) {
    playMissing(p);
    return;
  }
  playback::PlaybackCommands& pc = *f_.playback;
  for (QAction* item : pc.movieCommands()) item->setEnabled(true);
  pc.NewFlash();
  playback::MovieControl& movie = f_.Flash1->live();
  movie.setMovie(path);
  f_.Sldflash->setEnabled(true);
  f_.tmrsld->start();
  for (int i = 0; i <= 6; ++i) f_.Command1[i]->setEnabled(true);
  f_.Bar1->setPanel(4, QString::number(movie.TotalFrames()));
  if (movie.TotalFrames() > 1) f_.Sldflash->setRange(1, movie.TotalFrames());
  const int n = f_.catalog->count();
  f_.multipleEntries = n >= 2;
  if (n <= 1) {
    f_.playModes->MnuOptions(1)->setEnabled(false);
    f_.Command1[5]->setEnabled(false);
    f_.Command1[6]->setEnabled(false);
  }
  ListRefresh();
  movie.Play();
  if (f_.skins->isChecked(4)) {
    f_.frmflash->show();
    f_.frmlist->hide();
  }
}

void CatalogList::playMissing(int row) {
  playback::showMissingFile(f_.environment().platform, f_.catalog->path(row));
  f_.catalog->removeAt(row);
  ListRefresh();
  // The entry that followed the missing one, or the new last entry.
  selectRow(std::min(row, f_.catalog->count() - 1));
}

void CatalogList::List2_MouseUp(Qt::MouseButton button, const QPoint& pos,
                                const QPoint& globalPos) {
  const int row = rowAt(pos);
  if (row >= 0) selectRow(row);
  if (button == Qt::RightButton) f_.MNULIST->popup(globalPos);
}

void CatalogList::List2_MouseMove(const QPoint& pos) {
  const int row = rowAt(pos);
  f_.List2->setToolTip(row >= 0 ? f_.catalog->path(row) : QString());
}

bool CatalogList::eventFilter(QObject* watched, QEvent* event) {
  if (watched != f_.List2->viewport()) return QObject::eventFilter(watched, event);
  if (event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    List2_MouseUp(mouse->button(), mouse->position().toPoint(), mouse->globalPosition().toPoint());
  } else if (event->type() == QEvent::MouseMove) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->buttons() == Qt::NoButton) List2_MouseMove(mouse->position().toPoint());
  } else if (event->type() == QEvent::ToolTip) {
    // The list's tool tip is the path under the pointer, set as the pointer moves.
    const auto* help = static_cast<QHelpEvent*>(event);
    QToolTip::showText(help->globalPos(), f_.List2->toolTip(), f_.List2);
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace quelvo::catalog
