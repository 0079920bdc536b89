#include "swf/text/DeviceFonts.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>

namespace quelvo::swf {

namespace {

enum class Kind { Sans, Serif, Typewriter };

struct FamilyClass {
  Kind kind;
  bool chinese;
};

bool nameContains(const QString& name, std::initializer_list<const char*> parts) {
  return std::any_of(parts.begin(), parts.end(), [&](const char* part) {
    return name.contains(QString::fromUtf8(part), Qt::CaseInsensitive);
  });
}

FamilyClass classify(const QString& name) {
  const bool chinese =
      std::any_of(name.begin(), name.end(), [](QChar c) { return c.unicode() >= 0x2E80; }) ||
      nameContains(name, {"SimSun", "SimHei", "YaHei", "KaiTi", "FangSong", "NSimSun", "PMingLiU",
                          "MingLiU", "STSong", "STHeiti", "STKaiti"});
  if (name == QLatin1String("_typewriter") ||
      nameContains(name, {"Courier", "Mono", "Consolas", "Lucida Console", "等宽"})) {
    return {Kind::Typewriter, chinese};
  }
  if (name == QLatin1String("_serif") ||
      nameContains(name, {"Times", "Georgia", "Garamond", "Roman", "Serif", "Book", "宋", "明",
                          "楷", "仿", "SimSun", "Song", "KaiTi", "FangSong", "Ming"})) {
    if (!nameContains(name, {"Sans"})) return {Kind::Serif, chinese};
  }
  return {Kind::Sans, chinese};
}

QStringList latinFamilies(Kind kind) {
  switch (kind) {
    case Kind::Serif:
      return {"Times New Roman", "Liberation Serif", "Nimbus Roman", "DejaVu Serif"};
    case Kind::Typewriter:
      return {"Courier New", "Liberation Mono", "Nimbus Mono PS", "DejaVu Sans Mono"};
    case Kind::Sans:
      break;
  }
  return {"Arial", "Liberation Sans", "Nimbus Sans", "Helvetica", "DejaVu Sans"};
}

QStringList chineseFamilies(Kind kind) {
  QStringList families;
  if (kind == Kind::Serif) {
    families = {QStringLiteral("宋体"), "SimSun", "Noto Serif CJK SC", "AR PL UMing CN"};
  } else if (kind == Kind::Typewriter) {
    families = {QStringLiteral("新宋体"), "NSimSun", "WenQuanYi Zen Hei Mono"};
  } else {
    families = {QStringLiteral("黑体"), "SimHei", "Microsoft YaHei", "Noto Sans CJK SC"};
  }
  families += {"WenQuanYi Zen Hei", "Droid Sans Fallback", "Noto Sans CJK SC"};
  return families;
}

}  // namespace

QStringList deviceFontFamilies(const QString& name) {
  const FamilyClass family = classify(name);
  QStringList families;
  if (!name.startsWith('_') && !name.isEmpty()) families << name;
  // A Chinese family draws Latin letters too, so its stand-ins come first.
  if (family.chinese) families += chineseFamilies(family.kind);
  families += latinFamilies(family.kind);
  if (!family.chinese) families += chineseFamilies(family.kind);
  families.removeDuplicates();
  return families;
}

bool deviceFontsAvailable() {
  const QCoreApplication* application = QCoreApplication::instance();
  return application && application->inherits("QGuiApplication");
}

QFont deviceFont(const QString& name, int twipsPerEm, bool bold, bool italic) {
  QFont font;
  font.setFamilies(deviceFontFamilies(name));
  font.setPixelSize(std::max(1, twipsPerEm));
  font.setBold(bold);
  font.setItalic(italic);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setStyleStrategy(QFont::PreferOutline);
  return font;
}

}  // namespace quelvo::swf
