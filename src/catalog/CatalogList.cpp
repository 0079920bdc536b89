#include "catalog/CatalogList.h"

#include <QAction>
#include <QEvent>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolTip>

#include "catalog/CatalogCommands.h"
#include "catalog/CatalogModel.h"
#include "catalog/CatalogText.h"
#include "catalog/MissingFile.h"
#include "catalog/OpenDialog.h"
#include "core/session/CurrentEntry.h"
#include "core/session/LoopRegionState.h"
#include "core/session/PlayMode.h"
#include "core/session/SkinScheme.h"
#include "platform/Platform.h"

namespace quelvo::catalog {

using core::PlayMode;

namespace {

void tellUser(platform::Platform& platform, const QString& text) {
  platform::tell(platform, QStringLiteral("Quelvo"), text, platform::MessageIcon::Exclamation);
}

}  // namespace

CatalogList::CatalogList(CatalogModel& catalog, const CatalogWidgets& widgets,
                         CatalogCommands& commands, OpenDialog& openDialog,
                         const CatalogState& state, CatalogLinks links,
                         platform::Platform& platform, QObject* owner)
    : QObject(owner),
      catalog_(catalog),
      w_(widgets),
      commands_(commands),
      openDialog_(openDialog),
      state_(state),
      links_(std::move(links)),
      platform_(platform) {
  for (int i = 0; i < 5; ++i) {
    connect(w_.Cmdlist[i], &QPushButton::clicked, this, [this, i] { Cmdlist_Click(i); });
  }
  connect(commands_.MNUADD, &QAction::triggered, this, [this] { Cmdlist_Click(Add); });
  connect(commands_.MNUFILEADD, &QAction::triggered, this, [this] { Cmdlist_Click(Add); });
  connect(commands_.MNUDEL, &QAction::triggered, this, [this] { Cmdlist_Click(Delete); });
  connect(commands_.MNUUP, &QAction::triggered, this, [this] { Cmdlist_Click(MoveUp); });
  connect(commands_.MNUDOWN, &QAction::triggered, this, [this] { Cmdlist_Click(MoveDown); });
  connect(commands_.MNUCLE, &QAction::triggered, this, &CatalogList::MNUCLE_Click);
  connect(w_.List2->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this] { List2_Click(); });
  connect(w_.List2, &QListView::doubleClicked, this, [this] { List2_DblClick(); });
  w_.List2->viewport()->installEventFilter(this);
  w_.List2->viewport()->setMouseTracking(true);
}

int CatalogList::selectedRow() const {
  const QModelIndex current = w_.List2->currentIndex();
  return current.isValid() && w_.List2->selectionModel()->isSelected(current) ? current.row() : -1;
}

void CatalogList::selectRow(int row) {
  if (row < 0 || row >= catalog_.count()) {
    w_.List2->selectionModel()->clear();
    return;
  }
  w_.List2->setCurrentIndex(catalog_.index(row));
}

int CatalogList::rowAt(const QPoint& pos) const {
  const QModelIndex index = w_.List2->indexAt(pos);
  return index.isValid() && index.row() < catalog_.count() ? index.row() : -1;
}

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
  if (!refused.isEmpty()) {
    tellUser(platform_,
             QStringLiteral("文件名中含有“|”，无法加入目录栏：\n") + refused.join(QChar('\n')));
  }
  const int added = catalog_.append(storable);
  if (added < static_cast<int>(storable.size())) {
    tellUser(platform_, QStringLiteral("目录栏最多只能容纳 %1 首，其余 %2 首未加入。")
                            .arg(CatalogModel::kMaxEntries)
                            .arg(static_cast<int>(storable.size()) - added));
  }
  return refused.isEmpty() && added == static_cast<int>(storable.size());
}

void CatalogList::LoadFlash() {
  const FileSelection& selection = openDialog_.selection();
  if (selection.count() == 0) return;
  const std::optional<std::vector<Entry>> entries =
      readCatalogFile(selection.pathAt(selection.position));
  // A catalog file that cannot be read is skipped.
  if (entries) appendEntries(*entries);
  if (catalog_.count() > 0) selectRow(0);
}

void CatalogList::appendSelection() {
  FileSelection& selection = openDialog_.selection();
  for (int i = 0; i < selection.count(); ++i) {
    selection.position = i;
    const QString& name = selection.names[i];
    if (name.right(3) == QStringLiteral("qvl")) {
      LoadFlash();
    } else {
      appendEntries({entryForFile(selection.folder, name)});
    }
  }
}

void CatalogList::Cmdlist_Click(int index) {
  switch (index) {
    case Add:
      addFiles();
      break;
    case Delete:
      deleteSelected();
      break;
    case Hide:
      links_.MNUMU_Click();
      break;
    case MoveUp:
      moveUp();
      break;
    case MoveDown:
      moveDown();
      break;
    default:
      break;
  }
}

void CatalogList::addFiles() {
  openDialog_.selection().position = 0;
  if (!openDialog_.Toopen()) return;
  appendSelection();
  if (catalog_.count() > 0) selectRow(state_.Labn.value());
  commonTail();
}

void CatalogList::deleteSelected() {
  const int p = selectedRow();
  if (p >= 0) catalog_.removeAt(p);
  w_.List2->setFocus();
  if (state_.Labn.value() >= p) state_.Labn.set(state_.Labn.value() - 1);
  const int count = catalog_.count();
  selectRow(p < count - 1 ? p : count - 1);
  commonTail();
}

void CatalogList::moveUp() {
  const int selected = selectedRow();
  if (selected == 0) return;
  if (selected > 0) {
    catalog_.swap(selected, selected - 1);
    selectRow(selected - 1);
  }
  state_.Labn.set(selectedRow());
  commonTail();
}

void CatalogList::moveDown() {
  const int selected = selectedRow();
  if (selected >= catalog_.count() - 1) return;
  if (selected >= 0) catalog_.swap(selected, selected + 1);
  selectRow(selected + 1);
  state_.Labn.set(selectedRow());
  commonTail();
}

void CatalogList::enableMultiEntryModes(bool enabled) {
  for (PlayMode mode : {PlayMode::MultiContinuous, PlayMode::MultiRandom, PlayMode::MultiNormal}) {
    state_.playMode.setEnabled(mode, enabled);
  }
}

void CatalogList::commonTail() {
  const bool several = catalog_.count() > 1;
  state_.playMode.setEnabled(PlayMode::MultiContinuous, several);
  state_.playMode.setEnabled(PlayMode::MultiRandom, several);
  ListRefresh();
}

void CatalogList::ListRefresh() {
  const int n = catalog_.count();
  core::PlayModeState& modes = state_.playMode;
  if (n == 0) {
    MNUCLE_Click();
    return;
  }
  if (n == 1) {
    w_.Cmdlist[MoveUp]->setEnabled(false);
    w_.Cmdlist[MoveDown]->setEnabled(false);
    commands_.MNUUP->setEnabled(false);
    commands_.MNUDOWN->setEnabled(false);
    modes.leaveMultiEntryModes();
  } else {
    enableMultiEntryModes(true);
  }
  links_.updateEntrySteps(n);
  modes.setEnabled(PlayMode::MultiRandom, n > 2);
  if (n <= 2) {
    if (modes.is(PlayMode::MultiRandom)) modes.set(PlayMode::None);
    // Only when no mode is left, so that exactly one stays chosen.
    if (modes.is(PlayMode::None)) modes.set(PlayMode::MultiContinuous);
  }
  w_.Cmdlist[Delete]->setEnabled(true);
  for (QAction* item : {commands_.MNUDEL, commands_.MNUSAVE, commands_.MNURUN[1],
                        commands_.MNURUN[2], commands_.MNUCLE}) {
    item->setEnabled(true);
  }
  const int selected = selectedRow();
  w_.Cmdlist[MoveUp]->setEnabled(selected != 0);
  commands_.MNUUP->setEnabled(selected != 0);
  w_.Cmdlist[MoveDown]->setEnabled(selected + 1 != n);
  commands_.MNUDOWN->setEnabled(selected + 1 != n);
  state_.loopRegion.setOn(false);
}

void CatalogList::MNUCLE_Click() {
  catalog_.clear();
  links_.closeMovie();
  for (int button : {Delete, MoveUp, MoveDown}) w_.Cmdlist[button]->setEnabled(false);
  for (QAction* item : {commands_.MNUDEL, commands_.MNUUP, commands_.MNUDOWN, commands_.MNURUN[1],
                        commands_.MNURUN[2], commands_.MNUCLE, commands_.MNUSAVE}) {
    item->setEnabled(false);
  }
  enableMultiEntryModes(true);
}

void CatalogList::List2_DblClick() {
  const int p = selectedRow();
  if (p < 0) return;
  state_.Labn.set(p);
  if (!isPlayableFile(catalog_.path(p))) {
    playMissing(p);
    return;
  }
  links_.playEntry(p);
  ListRefresh();
  if (state_.skin.is(core::SkinScheme::Love)) {
    w_.frmflash->show();
    w_.frmlist->hide();
  }
}

void CatalogList::playMissing(int row) {
  showMissingFile(platform_, catalog_.path(row));
  catalog_.removeAt(row);
  ListRefresh();
  // The entry that followed the missing one, or the new last entry.
  selectRow(std::min(row, catalog_.count() - 1));
}

void CatalogList::List2_MouseUp(Qt::MouseButton button, const QPoint& pos,
                                const QPoint& globalPos) {
  const int row = rowAt(pos);
  if (row >= 0) selectRow(row);
  if (button == Qt::RightButton && MNULIST_) MNULIST_->popup(globalPos);
}

void CatalogList::List2_MouseMove(const QPoint& pos) {
  const int row = rowAt(pos);
  w_.List2->setToolTip(row >= 0 ? catalog_.path(row) : QString());
}

bool CatalogList::eventFilter(QObject* watched, QEvent* event) {
  if (watched != w_.List2->viewport()) return QObject::eventFilter(watched, event);
  if (event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    List2_MouseUp(mouse->button(), mouse->position().toPoint(), mouse->globalPosition().toPoint());
  } else if (event->type() == QEvent::MouseMove) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->buttons() == Qt::NoButton) List2_MouseMove(mouse->position().toPoint());
  } else if (event->type() == QEvent::ToolTip) {
    // The list's tool tip is the path under the pointer, set as the pointer moves.
    const auto* help = static_cast<QHelpEvent*>(event);
    QToolTip::showText(help->globalPos(), w_.List2->toolTip(), w_.List2);
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace quelvo::catalog
