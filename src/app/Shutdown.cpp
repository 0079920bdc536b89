#include "app/Shutdown.h"

#include <QAction>
#include <QApplication>
#include <QWidget>

#include "app/Form1.h"
#include "catalog/CatalogModel.h"
#include "core/BusyCursor.h"
#include "core/settings/CatalogLines.h"
#include "core/settings/SettingValue.h"
#include "core/settings/SettingsStore.h"
#include "integration/KeyboardHook.h"
#include "layout/PaneLayout.h"
#include "platform/Platform.h"

namespace quelvo::app {

using core::BusyCursor;
using core::CatalogEntry;
using core::formatBoolean;
using core::formatNumber;
using core::isSwitchOn;
using core::PlayMode;
using core::ProfileDocument;
using core::savesOnExit;
using core::Session;
using core::SettingsStore;
using core::SkinScheme;
using core::Twips;
using core::writeSettingsCatalog;

namespace {

const QString kExit = QStringLiteral("EXIT");
const QString kPath = QStringLiteral("PATH");
const QString kWindows = QStringLiteral("WINDOWS");
const QString kList = QStringLiteral("LIST");

// Window geometry in twips as the settings keep it.
struct OuterGeometry {
  double left, top, width, height;
};

OuterGeometry outerGeometry(const QWidget& window, const Twips& t) {
  const QRect frame = window.frameGeometry();
  return {t.fromPixelsX(frame.x()), t.fromPixelsY(frame.y()), t.fromPixelsX(frame.width()),
          t.fromPixelsY(frame.height())};
}

void writeExitDefaults(ProfileDocument& doc) {
  const char* const defaults[][2] = {{"SAVE", "True"}, {"OPEN", "1"}, {"LOAD", "1"},
                                     {"OPTI", "0"},    {"CONT", "0"}, {"WIN1", "0"},
                                     {"WIN2", "0"},    {"SKIN", "1"}, {"FILE", "0"}};
  for (const auto& [key, value] : defaults) {
    doc.set(kExit, QString::fromLatin1(key), QString::fromLatin1(value));
  }
}

void writeDefaultBars(ProfileDocument& doc) {
  doc.set(kWindows, QStringLiteral("PLAY"), QStringLiteral("False"));
  doc.set(kWindows, QStringLiteral("MENU"), QStringLiteral("True"));
  doc.set(kWindows, QStringLiteral("LIST"), QStringLiteral("False"));
  doc.set(kWindows, QStringLiteral("SBAR"), QStringLiteral("False"));
}

void writeSize(ProfileDocument& doc, double width, double height) {
  doc.set(kWindows, QStringLiteral("WIDTH"), formatNumber(width));
  doc.set(kWindows, QStringLiteral("HEIGHT"), formatNumber(height));
}

void writePosition(ProfileDocument& doc, double left, double top) {
  doc.set(kWindows, QStringLiteral("LEFT"), formatNumber(left));
  doc.set(kWindows, QStringLiteral("TOP"), formatNumber(top));
}

// What the close keeps of the session.
struct KeptState {
  const QWidget& window;
  const Twips& twips;
  const Session& session;
  const layout::PaneLayout& panes;
  const catalog::CatalogModel& catalog;
};

void writeKeptState(const KeptState& kept, ProfileDocument& doc,
                    const platform::ScreenMetrics& screen) {
  const auto on = [&](const char* key) {
    return isSwitchOn(doc.read(kExit, QString::fromLatin1(key)));
  };
  const Session& session = kept.session;
  doc.set(kPath, QStringLiteral("OPEN"), on("OPEN") ? session.folders.open() : QString());
  doc.set(kPath, QStringLiteral("LOAD"), on("LOAD") ? session.folders.catalog() : QString());

  const bool defaultScheme = session.skin.is(SkinScheme::Default);
  if (on("SKIN")) {
    // The stored index counts the picture schemes from 1.
    const int scheme = static_cast<int>(session.skin.scheme());
    doc.set(QStringLiteral("SKIN"), QStringLiteral("INDEX"),
            QString::number(defaultScheme ? 0 : scheme - 1));
  }

  const layout::PaneLayout& panes = kept.panes;
  if (on("CONT")) {
    doc.set(kWindows, QStringLiteral("PLAY"), formatBoolean(panes.MNUBUTTON->isChecked()));
    doc.set(kWindows, QStringLiteral("MENU"),
            defaultScheme ? formatBoolean(panes.MNUMENU->isChecked()) : QStringLiteral("1"));
    doc.set(kWindows, QStringLiteral("LIST"), formatBoolean(panes.MNUMU->isChecked()));
    doc.set(kWindows, QStringLiteral("SBAR"), formatBoolean(panes.MNUBAR->isChecked()));
  } else {
    writeDefaultBars(doc);
  }

  if (defaultScheme) {
    const OuterGeometry outer = outerGeometry(kept.window, kept.twips);
    if (on("WIN1")) {
      writeSize(doc, outer.width, outer.height);
    } else {
      writeSize(doc, screen.widthTwips * 3 / 5, screen.heightTwips * 3 / 5);
    }
    if (on("WIN2")) {
      writePosition(doc, outer.left, outer.top);
    } else {
      writePosition(doc, screen.widthTwips / 2 - outer.width / 2,
                    screen.heightTwips / 2 - outer.height / 2);
    }
  }

  if (on("OPTI")) {
    const PlayMode mode = session.playMode.mode();
    if (mode != PlayMode::None) {
      doc.set(kWindows, QStringLiteral("CONT"), QString::number(static_cast<int>(mode)));
    }
  } else {
    doc.removeKey(kWindows, QStringLiteral("CONT"));
  }

  if (on("FILE")) {
    std::vector<CatalogEntry> entries;
    entries.reserve(kept.catalog.entries().size());
    for (const catalog::Entry& entry : kept.catalog.entries()) {
      entries.push_back({entry.path, entry.displayText});
    }
    writeSettingsCatalog(doc, entries);
  } else {
    doc.removeSection(kList);
  }
}

void resetState(const QWidget& window, const Twips& twips, ProfileDocument& doc,
                const platform::ScreenMetrics& screen) {
  doc.set(kPath, QStringLiteral("OPEN"), QString());
  doc.set(kPath, QStringLiteral("LOAD"), QString());
  doc.set(QStringLiteral("SKIN"), QStringLiteral("INDEX"), QStringLiteral("0"));
  writeDefaultBars(doc);
  const OuterGeometry outer = outerGeometry(window, twips);
  writePosition(doc, screen.widthTwips / 2 - outer.width / 2,
                screen.heightTwips / 2 - outer.height / 2);
  writeSize(doc, screen.widthTwips * 3 / 5, screen.heightTwips * 3 / 5);
  doc.removeSection(kList);
  doc.removeKey(kWindows, QStringLiteral("CONT"));
}

}  // namespace

void Form1::Form_QueryUnload() {
  BusyCursor busy;
  SettingsStore& settings = env_.settings;
  const platform::ScreenMetrics screen = env_.platform.screen();
  ProfileDocument doc = settings.exists() ? settings.load() : ProfileDocument();
  if (!settings.exists()) writeExitDefaults(doc);
  if (savesOnExit(doc.read(kExit, QStringLiteral("SAVE")))) {
    writeKeptState({*this, twips_, session_, *panes, *catalog}, doc, screen);
  } else {
    resetState(*this, twips_, doc, screen);
  }
  // A failed write leaves the old file; the next run reads what is there.
  settings.save(doc);
  keyboard->remove();
  Shutdown(false, this);
}

void Shutdown(bool force, QWidget* mainWindow) {
  const QWidgetList windows = QApplication::topLevelWidgets();
  for (QWidget* window : windows) {
    if (window == mainWindow || !window->isVisible()) continue;
    if (!window->close() && !force) return;
  }
}

}  // namespace quelvo::app
