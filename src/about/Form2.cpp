#include "about/Form2.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include "about/GameView.h"
#include "core/Fonts.h"
#include "core/Naming.h"
#include "core/Twips.h"
#include "platform/Platform.h"

namespace quelvo::about {

namespace {

// Client sizes: the window is 1830 twips high with the card closed and 3645
// with it open, frame included.
constexpr int kClientWidth = 4680;
constexpr int kClosedHeight = 1425;
constexpr int kOpenHeight = 3240;
constexpr int kIconLeft = 240;
constexpr int kIconTop = 240;
constexpr int kIconSize = 480;

const Qt::KeyboardModifiers kSecretKeys = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

}  // namespace

Form2::Form2(const AboutContext& context)
    : QDialog(context.mainWindow, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                                      Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                      Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      context_(context) {
  setObjectName(QStringLiteral("Form2"));
  // The caption changes in the game; the window has no other name.
  setWindowTitle(QStringLiteral("关于..."));
  setFont(core::songtiFont(9));
  createWidgets();
  game_ = new GameView(this, context_.twips, context_.settings, context_.platform);
  setClientHeight(kClosedHeight);
  centreOver(context_.mainWindow);
  connect(qApp, &QGuiApplication::applicationStateChanged, this,
          [this](Qt::ApplicationState state) {
            if (state != Qt::ApplicationActive) Form_Deactivate();
          });
}

Form2::~Form2() = default;

void Form2::MNUABOUT_Click(const AboutContext& context) {
  Form2 about(context);
  context.platform.showModal(about);
}

void Form2::createWidgets() {
  const core::Twips& t = context_.twips;
  ImgIcon = core::named(new QLabel(this), QStringLiteral("ImgIcon"), QStringLiteral("程序图标"));
  ImgIcon->setGeometry(t.toPixels(kIconLeft, kIconTop, kIconSize, kIconSize));
  const QIcon icon = context_.mainWindow != nullptr ? context_.mainWindow->windowIcon()
                                                    : QApplication::windowIcon();
  ImgIcon->setPixmap(icon.pixmap(ImgIcon->size()));
  ImgIcon->installEventFilter(this);

  Frame1 = core::named(new QGroupBox(this), QStringLiteral("Frame1"), QStringLiteral("致谢"));
  Frame1->setGeometry(t.toPixels(960, 90, 3480, 765));
  auto* thanks = new QVBoxLayout(Frame1);
  thanks->addWidget(new QLabel(QStringLiteral("我的Quelvo，"), Frame1));
  thanks->addWidget(new QLabel(QStringLiteral("谢谢使用！"), Frame1), 0, Qt::AlignRight);

  Label1 = core::named(new QToolButton(this), QStringLiteral("Label1"), QString());
  Label1->setAutoRaise(true);
  Label1->setGeometry(t.toPixels(240, 945, 360, 360));
  connect(Label1, &QToolButton::clicked, this, &Form2::Label1_Click);

  cmdexit = core::named(new QPushButton(QStringLiteral("关闭"), this), QStringLiteral("cmdexit"),
                        QStringLiteral("关闭"));
  cmdexit->setGeometry(t.toPixels(3360, 945, 1080, 375));
  cmdexit->setDefault(true);
  connect(cmdexit, &QPushButton::clicked, this, &QDialog::reject);

  createCard();
}

void Form2::createCard() {
  const core::Twips& t = context_.twips;
  FrmMe = core::named(new QGroupBox(QStringLiteral("个人简介"), this), QStringLiteral("FrmMe"),
                      QStringLiteral("个人简介"));
  FrmMe->setGeometry(t.toPixels(120, 1470, 4440, 1650));
  ImgMe = core::named(new QToolButton(FrmMe), QStringLiteral("ImgMe"),
                      QStringLiteral("欢迎光临 Quelvo 工作室！"));
  ImgMe->setToolTip(QStringLiteral("欢迎光临 Quelvo 工作室！"));
  ImgMe->setAutoRaise(true);
  ImgMe->setCursor(Qt::PointingHandCursor);
  ImgMe->setGeometry(t.toPixels(180, 360, 600, 600));
  ImgMe->setIcon(windowIcon());
  ImgMe->setIconSize(ImgMe->size() - QSize(8, 8));
  connect(ImgMe, &QToolButton::clicked, this, &Form2::ImgMe_Click);
  auto* card = new QLabel(QStringLiteral("Quelvo 由几个爱看动画的人在业余时间做成。\n"
                                         "我们白天写代码，晚上看动画，\n"
                                         "偶尔也会输给自己做的潜水艇。\n"
                                         "点左边的图标，看看使用说明。"),
                          FrmMe);
  card->setObjectName(QStringLiteral("LabMe"));
  card->setWordWrap(true);
  card->setGeometry(t.toPixels(900, 300, 3420, 1260));
  FrmMe->hide();
}

void Form2::setClientHeight(int twips) {
  const core::Twips& t = context_.twips;
  setFixedSize(t.toPixelsX(kClientWidth), t.toPixelsY(twips));
  // The arrow shows where the card goes: ▼ opens it, ▲ closes it.
  Label1->setText(cardOpen_ ? QStringLiteral("▲") : QStringLiteral("▼"));
  Label1->setAccessibleName(cardOpen_ ? QStringLiteral("收起个人简介")
                                      : QStringLiteral("展开个人简介"));
}

void Form2::centreOver(const QWidget* mainWindow) {
  QRect over;
  if (mainWindow != nullptr && !mainWindow->isMinimized()) {
    over = mainWindow->frameGeometry();
  } else {
    const QScreen* screen =
        mainWindow != nullptr ? mainWindow->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    over = screen->geometry();
  }
  move(over.left() + over.width() / 2 - width() / 2, over.top() + over.height() / 2 - height() / 2);
}

void Form2::Label1_Click() {
  cardOpen_ = !cardOpen_;
  FrmMe->setVisible(cardOpen_);
  setClientHeight(cardOpen_ ? kOpenHeight : kClosedHeight);
}

void Form2::ImgIcon_MouseUp(Qt::KeyboardModifiers modifiers) {
  if ((modifiers & (kSecretKeys | Qt::MetaModifier)) != kSecretKeys) return;
  ImgIcon->hide();
  Frame1->hide();
  FrmMe->hide();
  // The field covers the rest of the face.
  Label1->hide();
  cmdexit->hide();
  setClientHeight(kOpenHeight);
  game_->Found(ImgIcon->pixmap(), kIconLeft, kIconTop);
}

void Form2::ImgMe_Click() { context_.platform.shellOpen(context_.guidePath); }

void Form2::Form_Deactivate() {
  if (isVisible()) reject();
}

bool Form2::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ImgIcon && event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (ImgIcon->rect().contains(mouse->position().toPoint())) {
      ImgIcon_MouseUp(mouse->modifiers());
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace quelvo::about
