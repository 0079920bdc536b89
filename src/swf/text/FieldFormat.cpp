#include "swf/text/FieldFormat.h"

#include <algorithm>
#include <cmath>

namespace quelvo::swf {

namespace {

constexpr double kTwipsPerPixel = 20;

// Calls visit(mine, theirs) for each member of a and b.
template <typename Visit>
void eachMember(FieldFormat& a, const FieldFormat& b, Visit visit) {
  visit(a.font, b.font);
  visit(a.size, b.size);
  visit(a.color, b.color);
  visit(a.bold, b.bold);
  visit(a.italic, b.italic);
  visit(a.underline, b.underline);
  visit(a.url, b.url);
  visit(a.target, b.target);
  visit(a.align, b.align);
  visit(a.leftMargin, b.leftMargin);
  visit(a.rightMargin, b.rightMargin);
  visit(a.indent, b.indent);
  visit(a.leading, b.leading);
  visit(a.blockIndent, b.blockIndent);
  visit(a.bullet, b.bullet);
  visit(a.tabStops, b.tabStops);
}

std::uint32_t rgbOf(const Rgba& colour) {
  return std::uint32_t{colour.red} << 16 | std::uint32_t{colour.green} << 8 | colour.blue;
}

}  // namespace

void FieldFormat::apply(const FieldFormat& other) {
  eachMember(*this, other, [](auto& mine, const auto& theirs) {
    if (theirs) mine = theirs;
  });
}

void FieldFormat::intersect(const FieldFormat& other) {
  eachMember(*this, other, [](auto& mine, const auto& theirs) {
    if (mine != theirs) mine.reset();
  });
}

FieldFormat definitionFormat(const EditText& field, const QString& fontName) {
  FieldFormat format;
  format.font = fontName;
  format.size = field.height / kTwipsPerPixel;
  format.color = rgbOf(field.colour);
  format.bold = format.italic = format.underline = false;
  format.url = format.target = QString();
  format.align = field.align;
  format.leftMargin = field.leftMargin / kTwipsPerPixel;
  format.rightMargin = field.rightMargin / kTwipsPerPixel;
  format.indent = field.indent / kTwipsPerPixel;
  format.leading = field.leading / kTwipsPerPixel;
  format.blockIndent = 0;
  format.bullet = false;
  format.tabStops = std::vector<double>();
  return format;
}

TextFormat runFormat(const FieldFormat& format) {
  TextFormat run;
  run.face = format.font.value_or(QStringLiteral("_serif"));
  run.size = std::clamp(format.size.value_or(12) * kTwipsPerPixel, 20.0, 2000.0 * kTwipsPerPixel);
  const std::uint32_t rgb = format.color.value_or(0);
  run.colour = Rgba{static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                    static_cast<std::uint8_t>(rgb), 255};
  run.bold = format.bold.value_or(false);
  run.italic = format.italic.value_or(false);
  run.underline = format.underline.value_or(false);
  return run;
}

FieldFormat fieldFormatOf(const TextFormat& run, TextAlign align, const FieldFormat& base) {
  FieldFormat format = base;
  format.font = run.face;
  format.size = std::round(run.size) / kTwipsPerPixel;
  format.color = rgbOf(run.colour);
  format.bold = run.bold;
  format.italic = run.italic;
  format.underline = run.underline;
  format.align = align;
  return format;
}

std::optional<TextAlign> alignFromName(const QString& name) {
  const QString lower = name.toLower();
  if (lower == u"left") return TextAlign::Left;
  if (lower == u"right") return TextAlign::Right;
  if (lower == u"center") return TextAlign::Center;
  if (lower == u"justify") return TextAlign::Justify;
  return std::nullopt;
}

QString alignName(TextAlign align) {
  switch (align) {
    case TextAlign::Left:
      break;
    case TextAlign::Right:
      return QStringLiteral("right");
    case TextAlign::Center:
      return QStringLiteral("center");
    case TextAlign::Justify:
      return QStringLiteral("justify");
  }
  return QStringLiteral("left");
}

}  // namespace quelvo::swf
