#include "about/GameView.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include "about/GameRecord.h"
#include "core/Naming.h"
#include "core/PanelBar.h"
#include "core/Twips.h"
#include "platform/Platform.h"

namespace quelvo::about {

namespace {

constexpr int kTickMs = 100;
constexpr int kPlankWidth = 1200;
constexpr int kPlankHeight = 120;
// Labaction sits this far below the instructions' top.
constexpr int kStartBelowInstructions = 1500;

// The instructions' heading is padded with spaces to fill one line of the
// label; the rules follow on the lines below it.
const QString kInstructionsHeading = QStringLiteral("　　　游戏说明  　　　　　　　　　　　　　　");
const QString kInstructionsRules = QStringLiteral(
    "按键盘左右键移动下方“木条”，将下落“潜水艇”弹回，一次得一分。“潜水艇”掉落于“木条”以下则游戏结"
    "束。");

// The bar's changing panels: the holder's name and the best score.
enum BarPanel { Holder = 2, Score = 4 };

QPixmap plankPicture(const QSize& size) {
  QPixmap picture(size);
  picture.fill(QColor(0x8b, 0x5a, 0x2b));
  QPainter painter(&picture);
  painter.setPen(QColor(0x5c, 0x3a, 0x1a));
  painter.drawRect(picture.rect().adjusted(0, 0, -1, -1));
  return picture;
}

QLabel* picture(QWidget* parent, const QString& name, const QString& accessibleName) {
  auto* label = core::named(new QLabel(parent), name, accessibleName);
  label->setScaledContents(true);
  return label;
}

}  // namespace

GameView::GameView(QWidget* window, const core::Twips& twips, core::SettingsStore& settings,
                   platform::Platform& platform)
    : QObject(window), window_(window), twips_(twips), settings_(settings), platform_(platform) {
  Picture1 = core::named(new QWidget(window), QStringLiteral("Picture1"), QStringLiteral("游戏区"));
  Picture1->setFocusPolicy(Qt::StrongFocus);
  Picture1->setAutoFillBackground(true);
  Picture1->installEventFilter(this);
  Image2 = picture(Picture1, QStringLiteral("Image2"), QStringLiteral("潜水艇 A"));
  Image1 = picture(Picture1, QStringLiteral("Image1"), QStringLiteral("潜水艇 B"));
  ImgHeng = picture(Picture1, QStringLiteral("ImgHeng"), QStringLiteral("木条"));
  LabJie = core::named(new QLabel(Picture1), QStringLiteral("LabJie"), QString());
  LabJie->setWordWrap(true);
  LabJie->setText(kInstructionsHeading + kInstructionsRules);
  Labaction = core::named(new QPushButton(QStringLiteral("开始"), Picture1),
                          QStringLiteral("Labaction"), QStringLiteral("开始"));
  Labaction->setFlat(true);
  Labaction->setCursor(Qt::PointingHandCursor);
  connect(Labaction, &QPushButton::clicked, this, &GameView::Labaction_Click);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(kTickMs);
  connect(Timer1, &QTimer::timeout, this, &GameView::Timer1_Timer);

  Bar1 = new core::PanelBar(
      {{QStringLiteral("姓名")}, {QString(), 1}, {QStringLiteral("最高分")}, {QString(), 1}},
      window);
  Picture1->hide();
  Bar1->hide();
}

GameView::~GameView() = default;

void GameView::Found(const QPixmap& icon, int iconLeft, int iconTop) {
  const GameRecord record = readGameRecord(settings_);
  Bar1->setPanelText(Score, QString::number(record.score));
  Bar1->setPanelText(Holder,
                     record.name.isEmpty() ? QStringLiteral("无") : holderText(record.name));
  const int barHeight = Bar1->sizeHint().height();
  Bar1->setGeometry(0, window_->height() - barHeight, window_->width(), barHeight);
  Bar1->show();

  Picture1->setGeometry(0, 0, window_->width(), window_->height() - barHeight);
  GameField field;
  field.width = static_cast<int>(twips_.fromPixelsX(Picture1->width()));
  field.height = static_cast<int>(twips_.fromPixelsY(Picture1->height()));
  field.submarineWidth = static_cast<int>(twips_.fromPixelsX(icon.width()));
  field.submarineHeight = static_cast<int>(twips_.fromPixelsY(icon.height()));
  field.plankWidth = kPlankWidth;
  field.plankHeight = kPlankHeight;
  game_ =
      std::make_unique<PaddleGame>(field, iconLeft, iconTop, [this] { return platform_.random(); });
  Image1->setPixmap(icon);
  Image2->setPixmap(icon);
  ImgHeng->setPixmap(
      plankPicture(QSize(twips_.toPixelsX(kPlankWidth), twips_.toPixelsY(kPlankHeight))));
  showSprites();
  window_->setWindowTitle(QStringLiteral("恭喜您找到游戏！"));

  const int windowHeight = static_cast<int>(twips_.fromPixelsY(window_->frameGeometry().height()));
  const int instructionsTop = twips_.toPixelsY(windowHeight / 4);
  // As wide as the heading, so the rules' first character starts the next line.
  const QFontMetrics metrics(LabJie->font());
  LabJie->setFixedWidth(metrics.horizontalAdvance(kInstructionsHeading) +
                        metrics.horizontalAdvance(kInstructionsRules.front()) / 2);
  LabJie->adjustSize();
  LabJie->move((Picture1->width() - LabJie->width()) / 2, instructionsTop);
  Labaction->adjustSize();
  Labaction->move((Picture1->width() - Labaction->width()) / 2,
                  instructionsTop + twips_.toPixelsY(kStartBelowInstructions));
  Picture1->show();
  Picture1->setFocus();
}

void GameView::place(QWidget* picture, const Sprite& sprite) {
  picture->setGeometry(twips_.toPixels(sprite.left, sprite.top, sprite.width, sprite.height));
}

void GameView::showSprites() {
  place(Image2, game_->submarineA());
  place(Image1, game_->submarineB());
  place(ImgHeng, game_->plank());
}

// Clicking "开始", or any key in the field, starts the clock.
void GameView::Labaction_Click() {
  if (game_ == nullptr || !game_->running()) return;
  Labaction->hide();
  LabJie->hide();
  Picture1->setFocus();
  Timer1->start();
}

void GameView::Picture1_KeyDown(int key) {
  if (game_ == nullptr || !game_->running()) return;
  if (key == Qt::Key_Right) game_->moveRight();
  if (key == Qt::Key_Left) game_->moveLeft();
  place(ImgHeng, game_->plank());
  Labaction_Click();
}

bool GameView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Picture1 && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Escape && key->key() != Qt::Key_Tab) {
      Picture1_KeyDown(key->key());
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

void GameView::Timer1_Timer() {
  const bool going = game_->tick();
  showSprites();
  if (!going) {
    gameOver();
    return;
  }
  window_->setWindowTitle(QStringLiteral("分数：%1").arg(game_->score()));
}

void GameView::gameOver() {
  Timer1->stop();
  LabJie->setWordWrap(false);
  LabJie->setMinimumWidth(0);
  LabJie->setMaximumWidth(QWIDGETSIZE_MAX);
  LabJie->setText(QStringLiteral("ＧＡＭＥ　ＯＶＥＲ"));
  LabJie->setStyleSheet(QStringLiteral("color: #ff0000;"));
  LabJie->adjustSize();
  LabJie->move((Picture1->width() - LabJie->width()) / 2, LabJie->y());
  LabJie->show();

  const int score = game_->score();
  if (score > 0 && score >= readGameRecord(settings_).score) {
    const QString prompt = QStringLiteral("当前最高分: %1\n请输入您的姓名:").arg(score);
    const QString name =
        platform_.inputBox(QStringLiteral("龙虎榜"), prompt, QString()).value_or(QString());
    writeGameRecord(settings_, {score, name});
    const GameRecord stored = readGameRecord(settings_);
    Bar1->setPanelText(Score, QString::number(stored.score));
    Bar1->setPanelText(Holder, holderText(stored.name));
    Bar1->show();
  }
}

}  // namespace quelvo::about
