// Quelvo: a player for Flash animations.
#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>
#include <cstdio>
#include <memory>

#include "app/Form1.h"
#include "core/Artwork.h"
#include "core/Fonts.h"
#include "core/Splash.h"
#include "core/Twips.h"
#include "core/settings/SettingsPath.h"
#include "core/settings/SettingsStore.h"
#include "platform/QtPlatform.h"
#include "swf/base/Log.h"

namespace {

// Qt's own dialogs and standard buttons speak Chinese too.
void installChineseTranslations(QApplication& app) {
  QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
  auto* translator = new QTranslator(&app);
  if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(translator);
  }
}

QString programFolder() {
  QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
  if (!folder.endsWith(QDir::separator())) folder += QDir::separator();
  return folder;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quelvo"));
  QApplication::setOrganizationName(QStringLiteral("Quelvo"));
  QApplication::setWindowIcon(quelvo::core::programIcon());
  installChineseTranslations(app);
  quelvo::core::installInterfaceFonts();

  quelvo::platform::QtPlatform platform;
  const QString folder = programFolder();
  quelvo::core::SettingsStore settings(quelvo::core::chooseSettingsPath(
      folder, QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)));
  const quelvo::app::Environment environment{platform, settings, folder};

  std::unique_ptr<quelvo::app::Form1> form;
  const quelvo::core::Twips twips(platform.screen());
  quelvo::core::Splash* splash = nullptr;
  splash = new quelvo::core::Splash(QSize(twips.toPixelsX(4500), twips.toPixelsY(2250)), [&] {
    form = std::make_unique<quelvo::app::Form1>(environment);
    platform.setDialogParent(form.get());
    const auto closeSplash = [&] { splash->hide(); };
    if (form->Form_Load(closeSplash)) {
      form->show();
    } else {
      QCoreApplication::exit(0);
    }
  });
  splash->start();
  // QUELVO_SWF_LOG=1: the movie log on stderr, its counts when the player closes.
  quelvo::swf::movielog::enableFromEnvironment();
  const int status = QApplication::exec();
  if (quelvo::swf::movielog::enabled()) {
    std::fputs(quelvo::swf::movielog::takeSummary().toLocal8Bit().constData(), stderr);
  }
  return status;
}
