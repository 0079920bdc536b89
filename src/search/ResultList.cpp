#include "search/ResultList.h"

#include <QAction>
#include <QFileInfo>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolTip>
#include <algorithm>

#include "catalog/CatalogList.h"
#include "catalog/CatalogModel.h"
#include "catalog/ShellOpen.h"
#include "core/Actions.h"
#include "core/Naming.h"
#include "platform/FileNames.h"
#include "platform/Platform.h"

namespace quelvo::search {

ResultList::ResultList(QWidget* parent, QPushButton* Command3, catalog::CatalogModel& catalog,
                       catalog::CatalogList& catalogList, platform::Platform& platform)
    : QObject(parent),
      Command3_(Command3),
      catalog_(catalog),
      catalogList_(catalogList),
      platform_(platform) {
  List1 = core::named(new QListWidget(parent), QStringLiteral("List1"), QStringLiteral("搜索结果"));
  List1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  List1->setUniformItemSizes(true);
  List1->viewport()->installEventFilter(this);
  List1->viewport()->setMouseTracking(true);
  connect(List1, &QListWidget::itemSelectionChanged, this, &ResultList::ListText);
  createMenu(parent);
  MNUCMDDEL = core::makeCheckableAction(this, QStringLiteral("MNUCMDDEL"),
                                        QStringLiteral("添加时删除所选"));
  connect(Command3_, &QPushButton::clicked, this, &ResultList::Command3_Click);
  ListText();
}

void ResultList::createMenu(QWidget* parent) {
  MNULIST = core::makeMenu(parent, QStringLiteral("MNULIST"), QStringLiteral("搜索结果"));
  const auto item = [this](const QString& name, const QString& caption, auto handler) {
    QAction* action = core::makeAction(this, name, caption, false);
    connect(action, &QAction::triggered, this, handler);
    MNULIST->addAction(action);
    return action;
  };
  MNUADD = item(QStringLiteral("MNUADD"), QStringLiteral("添加(&A)"), &ResultList::Command3_Click);
  core::addNamedSeparator(MNULIST, QStringLiteral("ADDHENG"));
  MNUALL = item(QStringLiteral("MNUALL"), QStringLiteral("全选"), &ResultList::MNUALL_Click);
  MNUOTHERS =
      item(QStringLiteral("MNUOTHERS"), QStringLiteral("反选"), &ResultList::MNUOTHERS_Click);
  core::addNamedSeparator(MNULIST, QStringLiteral("HENG1"));
  MNUDEL = item(QStringLiteral("MNUDEL"), QStringLiteral("删除"), &ResultList::MNUDEL_Click);
  MNUCLE = item(QStringLiteral("MNUCLE"), QStringLiteral("清空"), &ResultList::MNUCLE_Click);
  core::addNamedSeparator(MNULIST, QStringLiteral("HENG"));
  MNUOPEN[1] =
      item(QStringLiteral("MNUOPEN[1]"), QStringLiteral("运行(&R)"), [this] { MNUOPEN_Click(1); });
  MNUOPEN[2] = item(QStringLiteral("MNUOPEN[2]"), QStringLiteral("打开文件夹"),
                    [this] { MNUOPEN_Click(2); });
}

void ResultList::append(const QStringList& paths) {
  List1->setUpdatesEnabled(false);
  List1->addItems(paths);
  List1->scrollToBottom();
  List1->setUpdatesEnabled(true);
}

int ResultList::count() const { return List1->count(); }

void ResultList::selectLast() {
  if (count() > 0) List1->setCurrentRow(count() - 1, QItemSelectionModel::ClearAndSelect);
}

QList<int> ResultList::selectedRows() const {
  QList<int> rows;
  for (const QModelIndex& index : List1->selectionModel()->selectedRows()) rows << index.row();
  std::sort(rows.begin(), rows.end());
  return rows;
}

void ResultList::ListText() {
  const int n = count();
  const int selected = static_cast<int>(selectedRows().size());
  for (QAction* item : {MNUALL, MNUOTHERS, MNUDEL, MNUCLE, MNUADD}) item->setEnabled(n > 0);
  // Adding needs something to add.
  Command3_->setEnabled(selected > 0);
  MNUOPEN[1]->setEnabled(selected == 1);
  MNUOPEN[2]->setEnabled(selected == 1);
  if (n > 0 && selected == n) {
    MNUOTHERS->setEnabled(false);
    MNUALL->setEnabled(false);
  }
}

bool ResultList::add(const QList<int>& rows, bool tellMissing) {
  std::vector<catalog::Entry> entries;
  bool complete = true;
  for (int row : rows) {
    const QString path = List1->item(row)->text();
    const QFileInfo file(path);
    if (!platform::exists(path)) {
      if (!tellMissing) continue;
      platform::tell(platform_, QStringLiteral("提示"),
                     QStringLiteral("操作失败，可能是隐藏文件。"), platform::MessageIcon::Critical,
                     List1->window());
      complete = false;
      break;
    }
    entries.push_back(
        {path, file.fileName().chopped(std::min<qsizetype>(4, file.fileName().size()))});
  }
  catalogList_.appendEntries(entries);
  return complete;
}

void ResultList::report() {
  platform::tell(platform_, QStringLiteral("报告！"), QStringLiteral("已安全到达指定地点。"),
                 platform::MessageIcon::Information, List1->window());
}

void ResultList::Command3_Click() {
  const QList<int> rows = selectedRows();
  if (rows.isEmpty()) return;
  const bool complete = add(rows, true);
  if (complete && MNUCMDDEL->isChecked()) MNUDEL_Click();
  catalogList_.ListRefresh();
  if (catalog_.count() == 1) catalogList_.selectRow(0);
  if (complete) report();
}

void ResultList::addAll() {
  QList<int> rows;
  for (int row = 0; row < count(); ++row) rows << row;
  add(rows, false);
  catalogList_.ListRefresh();
  if (catalog_.count() > 0) catalogList_.selectRow(0);
  if (MNUCMDDEL->isChecked()) List1->clear();
  report();
}

void ResultList::MNUDEL_Click() {
  const QList<int> rows = selectedRows();
  for (auto row = rows.crbegin(); row != rows.crend(); ++row) delete List1->takeItem(*row);
  const int p = List1->currentRow();
  const int n = count();
  if (n > 0) {
    int select = -1;
    if (p > 0 && p <= n - 2) select = p + 1;
    if (p == n - 1) select = p;
    if (p == 0) select = 0;
    if (select >= 0) List1->setCurrentRow(select, QItemSelectionModel::ClearAndSelect);
  }
  ListText();
}

void ResultList::MNUALL_Click() {
  List1->setFocus();
  List1->selectAll();
  ListText();
}

void ResultList::MNUOTHERS_Click() {
  QItemSelection inverted;
  for (int row = 0; row < count(); ++row) {
    if (!List1->item(row)->isSelected()) {
      const QModelIndex index = List1->model()->index(row, 0);
      inverted.select(index, index);
    }
  }
  List1->selectionModel()->select(inverted, QItemSelectionModel::ClearAndSelect);
  ListText();
}

void ResultList::MNUCLE_Click() {
  List1->clear();
  ListText();
}

void ResultList::MNUOPEN_Click(int index) {
  const QList<int> rows = selectedRows();
  if (rows.size() == 1) openRow(rows.front(), index);
}

void ResultList::openRow(int row, int index) {
  const QString path = List1->item(row)->text();
  catalog::runShellCommand(platform_, path, path, index);
}

bool ResultList::eventFilter(QObject* watched, QEvent* event) {
  if (watched != List1->viewport()) return QObject::eventFilter(watched, event);
  const auto* mouse = dynamic_cast<QMouseEvent*>(event);
  if (event->type() == QEvent::MouseMove && mouse->buttons() == Qt::NoButton) {
    const QListWidgetItem* item = List1->itemAt(mouse->position().toPoint());
    List1->setToolTip(item != nullptr ? item->text() : QString());
  } else if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::RightButton) {
    MNULIST->popup(mouse->globalPosition().toPoint());
  } else if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton &&
             mouse->modifiers().testFlag(Qt::AltModifier) && List1->currentRow() >= 0) {
    openRow(List1->currentRow(), 2);
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace quelvo::search
