#include "search/Form3.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

#include "core/Fonts.h"
#include "core/Naming.h"
#include "platform/FileNames.h"
#include "platform/Platform.h"
#include "search/FolderWalker.h"
#include "search/ResultList.h"
#include "search/SearchRun.h"

namespace quelvo::search {

namespace {

const QString kFind = QStringLiteral("查找(&F)");
const QString kStop = QStringLiteral("停止(&F)");
const QString kFinishedTitle = QStringLiteral("搜索完毕");
// The option menu opens a little left of its button (100 twips).
constexpr int kMenuLeftOfButton = 7;

// The question at the end of a search with n results.
QString sendQuestion(int n) {
  return n == 1 ? QStringLiteral("只查获%1首FLASH作品，押送到“目录栏”吗？").arg(n)
                : QStringLiteral("共查获%1首FLASH作品，全都押送到“目录栏”吗？").arg(n);
}

}  // namespace

Form3::Form3(const SearchContext& context, QWidget* owner)
    : QWidget(owner, Qt::Window), context_(context) {
  setObjectName(QStringLiteral("Form3"));
  setWindowTitle(QStringLiteral("搜索 Flash"));
  setAccessibleName(windowTitle());
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(core::songtiFont(9));
  run = new SearchRun(this);
  createWidgets();
  connect(run, &SearchRun::folderEntered, Label1, &QLabel::setText);
  connect(run, &SearchRun::matchesFound, results, &ResultList::append);
  connect(run, &SearchRun::finished, this, &Form3::endOfSearch);
  fillDrives();
  resize(520, 560);
  if (owner != nullptr) move(owner->frameGeometry().center() - rect().center());
  // Keyboard users start by typing where to search.
  Dir1Path->setFocus();
}

Form3::~Form3() = default;

void Form3::createWidgets() {
  Drive1 = core::named(new QComboBox(this), QStringLiteral("Drive1"), QStringLiteral("驱动器"));
  Dir1Path = core::named(new QLineEdit(this), QStringLiteral("Dir1Path"), QStringLiteral("文件夹"));
  folders_ = new QFileSystemModel(this);
  folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  folders_->setRootPath(QString());
  Dir1 = core::named(new QTreeView(this), QStringLiteral("Dir1"), QStringLiteral("文件夹树"));
  Dir1->setModel(folders_);
  for (int column = 1; column < folders_->columnCount(); ++column) Dir1->hideColumn(column);
  Dir1->header()->hide();
  Label2 = core::named(new QLabel(QStringLiteral("查找："), this), QStringLiteral("Label2"),
                       QStringLiteral("查找："));
  Label1 = core::named(new QLabel(this), QStringLiteral("Label1"), QString());
  Command1 =
      core::named(new QPushButton(kFind, this), QStringLiteral("Command1"), QStringLiteral("查找"));
  Command3 = core::named(new QPushButton(QStringLiteral("添加"), this), QStringLiteral("Command3"),
                         QStringLiteral("添加"));
  Cmdmenu = core::named(new QPushButton(QStringLiteral("▼"), this), QStringLiteral("Cmdmenu"),
                        QStringLiteral("添加选项"));
  Command2 = core::named(new QPushButton(QStringLiteral("退出(&X)"), this),
                         QStringLiteral("Command2"), QStringLiteral("退出"));
  results =
      new ResultList(this, Command3, context_.catalog, context_.catalogList, context_.platform);
  Menucmd = new QMenu(this);
  Menucmd->setObjectName(QStringLiteral("Menucmd"));
  Menucmd->setAccessibleName(QStringLiteral("添加选项"));
  Menucmd->addAction(results->MNUCMDDEL);

  auto* place = new QHBoxLayout;
  place->addWidget(Drive1, 1);
  place->addWidget(Dir1Path, 2);
  auto* status = new QHBoxLayout;
  status->addWidget(Label2);
  status->addWidget(Label1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Command1);
  buttons->addWidget(Command3);
  buttons->addWidget(Cmdmenu);
  buttons->addStretch(1);
  buttons->addWidget(Command2);
  auto* all = new QVBoxLayout(this);
  all->addLayout(place);
  all->addWidget(Dir1, 2);
  all->addLayout(status);
  all->addWidget(results->List1, 3);
  all->addLayout(buttons);

  connect(Drive1, &QComboBox::activated, this, &Form3::Drive1_Change);
  connect(Dir1Path, &QLineEdit::returnPressed, this, [this] {
    const QString typed = QDir::cleanPath(Dir1Path->text().trimmed());
    if (QDir::isAbsolutePath(typed) && platform::isFolder(typed)) {
      setFolder(typed);
    } else {
      Dir1Path->setText(folder_);
    }
  });
  connect(Dir1->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid()) setFolder(folders_->filePath(current));
          });
  connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
  connect(Cmdmenu, &QPushButton::clicked, this, &Form3::Cmdmenu_Click);
  connect(Command2, &QPushButton::clicked, this, &QWidget::close);
}

void Form3::fillDrives() {
  QStringList roots{QDir::homePath()};
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath())) {
      roots << volume.rootPath();
    }
  }
  Drive1->addItems(roots);
  Drive1->setCurrentIndex(0);
  setFolder(roots.front());
}

void Form3::setFolder(const QString& folder) {
  folder_ = QDir::toNativeSeparators(folder);
  if (Dir1Path->text() != folder_) Dir1Path->setText(folder_);
  const QModelIndex index = folders_->index(folder);
  if (index.isValid() && Dir1->currentIndex() != index) {
    Dir1->setCurrentIndex(index);
    Dir1->scrollTo(index);
  }
}

void Form3::Drive1_Change(int index) {
  const QString root = Drive1->itemText(index);
  const QDir dir(root);
  if (!dir.exists() || !dir.isReadable()) {
    platform::tell(context_.platform, QStringLiteral("提示"), QStringLiteral("这里没东西可找！"),
                   platform::MessageIcon::Information, this);
    Drive1->setCurrentIndex(drive_);
    return;
  }
  drive_ = index;
  setFolder(root);
}

void Form3::Command1_Click() {
  if (run->running()) {
    Command1->setText(kFind);
    run->stop();
    return;
  }
  Command3->setEnabled(false);
  Command1->setText(kStop);
  results->List1->clear();
  Label1->clear();
  run->start(startFolder(QDir::fromNativeSeparators(folder_)));
}

void Form3::endOfSearch() {
  Command1->setText(kFind);
  const int n = results->count();
  platform::MessageRequest request;
  request.owner = this;
  request.title = kFinishedTitle;
  request.icon = platform::MessageIcon::Information;
  if (n == 0) {
    request.text = QStringLiteral("无可疑目标，到别处再看看。");
    context_.platform.message(request);
  } else {
    request.text = sendQuestion(n);
    request.buttons = platform::MessageButtons::YesNo;
    request.defaultButton = platform::MessageButton::No;
    if (context_.platform.message(request) == platform::MessageButton::Yes) results->addAll();
    results->selectLast();
  }
  Label1->clear();
  results->ListText();
  emit searchEnded();
}

void Form3::Cmdmenu_Click() {
  Menucmd->popup(Cmdmenu->mapToGlobal(QPoint(-kMenuLeftOfButton, Cmdmenu->height())));
}

void Form3::closeEvent(QCloseEvent* event) {
  // A search cut short by closing asks nothing.
  disconnect(run, &SearchRun::finished, this, &Form3::endOfSearch);
  run->stop();
  event->accept();
}

}  // namespace quelvo::search
