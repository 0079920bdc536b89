#include "app/Form1.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

#include "about/Form2.h"
#include "catalog/CatalogCommands.h"
#include "catalog/CatalogFile.h"
#include "catalog/CatalogList.h"
#include "catalog/CatalogModel.h"
#include "catalog/OpenDialog.h"
#include "catalog/ShellOpen.h"
#include "core/Actions.h"
#include "core/Artwork.h"
#include "core/Dispatcher.h"
#include "core/Fonts.h"
#include "core/Naming.h"
#include "core/OptionsDialog.h"
#include "core/Paths.h"
#include "core/settings/SettingsStore.h"
#include "integration/KeyboardHook.h"
#include "integration/WindowMenu.h"
#include "layout/FullScreen.h"
#include "layout/PaneLayout.h"
#include "layout/WindowCommands.h"
#include "layout/WindowPlacement.h"
#include "platform/Platform.h"
#include "playback/FrameSlider.h"
#include "playback/LoopRegion.h"
#include "playback/MovieControlArray.h"
#include "playback/PlayModes.h"
#include "playback/PlaybackCommands.h"
#include "playback/PlaybackTick.h"
#include "playback/SoundCommands.h"
#include "playback/StatePanel.h"
#include "playback/StatusBar.h"
#include "playback/Transport.h"
#include "playback/ViewCommands.h"
#include "search/Form3.h"
#include "skins/SkinSwitcher.h"

namespace quelvo::app {

using core::Command;

namespace {

// Tick period of the playback timer: the shortest the platform gives in practice.
constexpr int kTickIntervalMs = 10;

QPushButton* glyphButton(QWidget* parent, const QString& name, const QString& toolTip) {
  auto* button = core::named(new QPushButton(parent), name, toolTip);
  button->setToolTip(toolTip);
  button->setFocusPolicy(Qt::TabFocus);
  return button;
}

}  // namespace

Form1::Form1(const Environment& environment)
    : env_(environment), twips_(environment.platform.screen()) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Quelvo"));
  setAccessibleName(QStringLiteral("Quelvo"));
  setWindowIcon(core::programIcon());
  createWidgets();
  createSubsystems();
  createMenus();
  connectViews();
}

Form1::~Form1() = default;

void Form1::closeEvent(QCloseEvent* event) {
  Form_QueryUnload();
  event->accept();
}

// The search window is not modal; a closed one is made anew, with an empty list.
void Form1::MNUFIND_Click() {
  if (searchWindow == nullptr) {
    searchWindow = new search::Form3({*catalog, *catalogList, env_.platform}, this);
  }
  searchWindow->show();
  searchWindow->raise();
  searchWindow->activateWindow();
}

void Form1::createWidgets() {
  const core::Twips& t = twips_;
  client = core::named(new QWidget(this), QStringLiteral("client"), QStringLiteral("Quelvo"));
  setCentralWidget(client);

  frmflash = core::named(new QFrame(client), QStringLiteral("frmflash"), QStringLiteral("动画区"));
  frmflash->setAutoFillBackground(true);
  frmflash->setBackgroundRole(QPalette::Base);
  frmflash->setFrameShape(QFrame::StyledPanel);
  frmflash->setFrameShadow(QFrame::Sunken);
  Flash1 = std::make_unique<playback::MovieControlArray>(env_.platform, frmflash);

  catalog = new catalog::CatalogModel(this);
  frmlist = core::named(new QWidget(client), QStringLiteral("frmlist"), QStringLiteral("目录栏"));
  frmlist->hide();
  List2 = core::named(new QListView(frmlist), QStringLiteral("List2"), QStringLiteral("目录"));
  List2->setModel(catalog);
  List2->setSelectionMode(QAbstractItemView::SingleSelection);
  List2->setUniformItemSizes(true);
  List2->setEditTriggers(QAbstractItemView::NoEditTriggers);
  List2->setFont(core::songtiFont(9));

  const char* const listGlyphs[5] = {"+", "-", "×", "▲", "▼"};
  const char* const listTips[5] = {"添加", "删除", "隐藏", "上移", "下移"};
  for (int i = 0; i < 5; ++i) {
    Cmdlist[i] = glyphButton(frmlist, core::arrayName(QStringLiteral("Cmdlist"), i),
                             QString::fromUtf8(listTips[i]));
    Cmdlist[i]->setText(QString::fromUtf8(listGlyphs[i]));
    Cmdlist[i]->setFont(i < 2 ? core::heitiFont(10.5, true) : core::symbolFont(7.5));
    Cmdlist[i]->setGeometry(t.toPixels(0, 0, 240, 255));
    Cmdlist[i]->setEnabled(i == catalog::CatalogList::Add || i == catalog::CatalogList::Hide);
  }

  Picture1 = core::named(new QWidget(client), QStringLiteral("Picture1"), QStringLiteral("分隔条"));
  Picture1->setCursor(Qt::SizeHorCursor);
  Picture1->setAutoFillBackground(true);
  Picture1->hide();

  Frame1 = core::named(new QWidget(client), QStringLiteral("Frame1"), QStringLiteral("按扭栏"));
  Frame1->setGeometry(
      t.toPixels(0, 0, layout::PaneLayout::kButtonBarWidth, layout::PaneLayout::kButtonBarHeight));
  Frame1->hide();
  const QStyle::StandardPixmap icons[8] = {
      QStyle::SP_MediaPlay,        QStyle::SP_MediaPause,        QStyle::SP_MediaSeekBackward,
      QStyle::SP_MediaSeekForward, QStyle::SP_MediaSkipBackward, QStyle::SP_ArrowLeft,
      QStyle::SP_ArrowRight,       QStyle::SP_DirOpenIcon};
  const char* const tips[8] = {"播放", "暂停",   "上一帧", "下一帧",
                               "返回", "上一首", "下一首", "打开"};
  const int lefts[8] = {60, 595, 1130, 1665, 2200, 2735, 3270, 3810};
  for (int i = 0; i < 8; ++i) {
    Command1[i] = glyphButton(Frame1, core::arrayName(QStringLiteral("Command1"), i),
                              QString::fromUtf8(tips[i]));
    Command1[i]->setIcon(style()->standardIcon(icons[i]));
    Command1[i]->setGeometry(t.toPixels(lefts[i], 420, 465, 240));
  }
  Sldflash = new playback::FrameSlider(Frame1);
  Sldflash->setGeometry(t.toPixels(0, 60, 4100, playback::LoopRegion::kSliderHeight));

  Bar1 = new playback::StatusBar(client);
  Bar1->hide();

  Pic = core::named(new QLabel(client), QStringLiteral("Pic"), QStringLiteral("抓图"));
  Pic->hide();

  tmrsld = new QTimer(this);
  tmrsld->setObjectName(QStringLiteral("tmrsld"));
  tmrsld->setInterval(kTickIntervalMs);
  Tmrcanvas = new QTimer(this);
  Tmrcanvas->setObjectName(QStringLiteral("Tmrcanvas"));
  Tmrcanvas->setInterval(kTickIntervalMs);
}

void Form1::createSubsystems() {
  core::SkinSchemeState& skin = session_.skin;
  dispatcher = new core::Dispatcher(
      this, [&skin] { return skin.SkinOn(); }, this);
  dispatcher->setObjectName(QStringLiteral("MenuButtons"));

  MNUFIND = core::makeAction(this, QStringLiteral("MNUFIND"), QStringLiteral("搜索..."));
  MNUEXIT =
      core::makeAction(this, QStringLiteral("MNUEXIT"), QStringLiteral("退出(&X)     Ctrl+Q"));
  MNUOPT = core::makeAction(this, QStringLiteral("MNUOPT"), QStringLiteral("选项(&O)..."));
  MNUABOUT =
      core::makeAction(this, QStringLiteral("MNUABOUT"), QStringLiteral("关于 Quelvo (V3.5)..."));
  dispatcher->bind(Command::Exit, MNUEXIT, [this] { close(); });
  connect(MNUOPT, &QAction::triggered, this,
          [this] { core::Opt::MNUOPT_Click(this, env_.settings, twips_, env_.platform); });
  connect(MNUFIND, &QAction::triggered, this, &Form1::MNUFIND_Click);
  connect(MNUABOUT, &QAction::triggered, this, [this] {
    about::Form2::MNUABOUT_Click(
        {this, env_.settings, twips_, env_.platform, core::userGuidePath(env_.programFolder)});
  });

  layout::PaneWidgets lw;
  lw.window = this;
  lw.client = client;
  lw.frmflash = frmflash;
  lw.frmlist = frmlist;
  lw.Picture1 = Picture1;
  lw.Frame1 = Frame1;
  lw.Bar1 = Bar1;
  lw.List2 = List2;
  lw.Cmdlist = Cmdlist;
  lw.Command1 = Command1;
  lw.Sldflash = Sldflash;
  lw.movie = [this]() -> QWidget* { return &Flash1->live(); };
  panes = new layout::PaneLayout(lw, twips_, skin, *dispatcher, this);
  panes->setStoredSchemeIsDefault([this] {
    return env_.settings.ReadSetting(QStringLiteral("SKIN"), QStringLiteral("INDEX")) ==
           QStringLiteral("0");
  });
  windowCommands = new layout::WindowCommands(this);
  fullScreen = new layout::FullScreen(this, windowCommands->MNUFULL, *panes, *dispatcher, this);
  panes->setFullScreenToggle(windowCommands->MNUFULL, [this] { fullScreen->MNUFULL_Click(); });
  placement =
      new layout::WindowPlacement(this, *windowCommands, *panes, *fullScreen, session_.Label1,
                                  twips_, *dispatcher, env_.platform, this);

  playModes = new playback::PlayModes(session_.playMode, this);
  const skins::SkinWidgets sw{this, client, frmflash, frmlist, List2, Cmdlist, lw.movie, Tmrcanvas};
  skins = new skins::SkinSwitcher(skin, sw, *panes, *dispatcher, env_.platform, env_.programFolder,
                                  this);
  createCatalog();
  createPlayback();
}

void Form1::createCatalog() {
  openDialog =
      std::make_unique<catalog::OpenDialog>(env_.platform, env_.settings, session_.folders);
  catalogCommands = new catalog::CatalogCommands(this);
  catalog::CatalogWidgets cw{frmflash, frmlist, List2, Cmdlist};
  catalog::CatalogLinks links;
  links.closeMovie = [this] { playback->MNUCLOSE_Click(); };
  links.playEntry = [this](int row) { playback->playEntry(row); };
  links.MNUMU_Click = [this] { panes->MNUMU_Click(); };
  links.updateEntrySteps = [this](int count) { transport->updateEntrySteps(count); };
  const catalog::CatalogState state{session_.Labn, session_.playMode, session_.loopRegion,
                                    session_.skin};
  catalogList = new catalog::CatalogList(*catalog, cw, *catalogCommands, *openDialog, state,
                                         std::move(links), env_.platform, this);
  catalogFile = new catalog::CatalogFile(
      *catalog, *catalogList, *catalogCommands, session_.folders, env_.settings, env_.platform,
      [this] { playback->MNUCLOSE_Click(); }, this);
  shell = new catalog::ShellCommands(*catalog, *catalogList, *catalogCommands, *dispatcher,
                                     env_.platform, env_.programFolder, this);
}

void Form1::createPlayback() {
  const playback::PlayerWidgets pw{frmflash, Flash1.get(), Frame1, Command1,
                                   Sldflash, Bar1,         tmrsld};
  view = new playback::ViewCommands(*Flash1, *dispatcher, this);
  sound = new playback::SoundCommands(*Flash1, this, *dispatcher, env_.settings, this);
  const playback::PlaybackState state{session_.Labn, session_.playMode};
  playback = new playback::PlaybackCommands(pw, *catalog, *catalogList, *openDialog, state,
                                            *dispatcher, env_.platform, this);
  transport = new playback::Transport(pw, *catalog, *catalogList, *playback, session_.playMode,
                                      session_.Labn, *dispatcher, env_.platform, this);
  const playback::TickState tickState{session_.Labn, session_.playMode, session_.loopRegion};
  tick = new playback::PlaybackTick(pw, *catalog, *catalogList, *playback, tickState, env_.platform,
                                    this);
  loopRegion =
      new playback::LoopRegion(session_.loopRegion, *Sldflash, Frame1, Bar1, *panes, twips_, this);
  new playback::StatePanel(*Bar1, session_.playMode, session_.loopRegion, this);
  windowMenu = new integration::WindowMenu(session_.Label1, session_.skin, *panes, MNUABOUT, this,
                                           env_.platform, this);
  keyboard = new integration::KeyboardHook(
      pw, *dispatcher, windowCommands->MNUFULL, [this] { return windowMenu->popupAtWindow(); },
      this);
}

void Form1::connectViews() {
  connect(Bar1, &playback::StatusBar::rightClicked, FrmMnuPlayCon,
          [this](const QPoint& at) { FrmMnuPlayCon->popup(at); });
  connect(Bar1, &playback::StatusBar::doubleClicked, panes, &layout::PaneLayout::MNUBAR_Click);
  // A right click on the movie area opens the window menu; the movie control
  // has no menu of its own.
  const auto openWindowMenu = [this](QWidget* area) {
    area->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(area, &QWidget::customContextMenuRequested, windowMenu,
            [this, area](const QPoint& at) { windowMenu->popup(area->mapToGlobal(at)); });
  };
  openWindowMenu(frmflash);
  // The movie control getting the focus switches the tick on.
  Flash1->onLiveCreated([this, openWindowMenu](playback::MovieControl& movie) {
    connect(&movie, &playback::MovieControl::gotFocus, tmrsld, qOverload<>(&QTimer::start));
    openWindowMenu(&movie);
  });
}

void Form1::createMenus() {
  QMenuBar* bar = menuBar();
  core::named(bar, QStringLiteral("MenuBar"), QStringLiteral("菜单栏"));
  const char* const titles[5] = {"文件(&F)", "查看(&V)", "控制(&C)", "窗口(&W)", "帮助(&H)"};
  for (int i = 0; i < 5; ++i) {
    MENU[i] = core::makeMenu(bar, core::arrayName(QStringLiteral("MENU"), i),
                             QString::fromUtf8(titles[i]));
    bar->addMenu(MENU[i]);
    MENU[i]->menuAction()->setObjectName(MENU[i]->objectName());
  }

  QMenu* file = MENU[0];
  file->addAction(playback->MNUOPEN);
  file->addAction(catalogCommands->MNUFILEADD);
  file->addAction(playback->MNUCLOSE);
  core::addNamedSeparator(file, QStringLiteral("MNUHENG5"));
  file->addAction(MNUFIND);
  core::addNamedSeparator(file, QStringLiteral("MNUHENG6"));
  file->addAction(MNUEXIT);

  QMenu* viewMenu = MENU[1];
  viewMenu->addAction(view->MNUSHOWALL);
  viewMenu->addAction(view->Mnu100);
  core::addNamedSeparator(viewMenu, QStringLiteral("MNUHENG7"));
  viewMenu->addAction(view->MNUZOOMIN);
  viewMenu->addAction(view->MNUZOOMOUT);
  core::addNamedSeparator(viewMenu, QStringLiteral("MNUHENG8"));
  viewMenu->addMenu(view->createQualityMenu(viewMenu));
  core::addNamedSeparator(viewMenu, QStringLiteral("MNUHENG9"));
  viewMenu->addAction(windowCommands->MNUFULL);
  playback->addMovieCommands(
      {view->MNUQUALITY, view->MNUSHOWALL, view->MNUZOOMIN, view->MNUZOOMOUT, view->Mnu100});

  // The play-options submenu is item 11 of the control menu, separators included.
  QMenu* control = MENU[2];
  control->addAction(playback->MNUPLAY);
  control->addAction(playback->MNUREWIND);
  core::addNamedSeparator(control, QStringLiteral("MNUHENG1"));
  control->addAction(playback->MNUBACK);
  control->addAction(playback->MNUFORWORD);
  control->addAction(playback->MNUHENG2);
  control->addAction(playback->MNUBACKONE);
  control->addAction(playback->MNUNEXTONE);
  core::addNamedSeparator(control, QStringLiteral("MNUHENG3"));
  control->addAction(playback->MNUPIC);
  core::addNamedSeparator(control, QStringLiteral("MNUHENG4"));
  core::addNamedMenu(control, playModes->createMenu(control));
  core::addNamedSeparator(control, QStringLiteral("MNUHENG14"));
  core::addNamedMenu(control, sound->createMenu(control));

  QMenu* window = MENU[3];
  window->addAction(panes->MNUBUTTON);
  window->addAction(panes->MNUBAR);
  window->addAction(panes->MNUMU);
  window->addAction(panes->MNUMENU);
  core::addNamedSeparator(window, QStringLiteral("MNUHENG10"));
  core::addNamedMenu(window, windowCommands->createWindowControlMenu(window));
  core::addNamedMenu(window, skins->createMenu(window));
  core::addNamedSeparator(window, QStringLiteral("MNUHENG11"));
  window->addAction(MNUOPT);

  QMenu* help = MENU[4];
  help->addAction(catalogCommands->MNUHELPHELP);
  core::addNamedSeparator(help, QStringLiteral("MNUHENG12"));
  help->addAction(MNUABOUT);
  panes->setMenus(MENU);

  // Popup menus that never show in the menu bar.
  MNULIST = catalogCommands->createListMenu(this);
  catalogList->setListMenu(MNULIST);
  MNUSLIDER = loopRegion->createMenu(this);
  tick->setSliderMenu(MNUSLIDER);
  playback->addMovieCommands({loopRegion->MNUSLIDER});
  auto* frmMnu = core::named(new QWidget(this, Qt::Window), QStringLiteral("FrmMnu"),
                             QStringLiteral("播放选项菜单"));
  frmMnu->hide();
  FrmMnuPlayCon = playModes->createMenu(frmMnu);
  skins->face().setMenus(MENU[0], FrmMnuPlayCon);
}

}  // namespace quelvo::app
