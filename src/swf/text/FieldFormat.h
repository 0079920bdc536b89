#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "swf/format/Text.h"
#include "swf/text/TextRuns.h"

namespace quelvo::swf {

// The format of a stretch of a text field's text as scripts see it
// (TextFormat objects). An unset member is one that differs within the
// stretch when read, or one to leave alone when applied. Sizes, margins and
// tab stops are in pixels; colours are 0xRRGGBB.
struct FieldFormat {
  std::optional<QString> font;
  std::optional<double> size;
  std::optional<std::uint32_t> color;
  std::optional<bool> bold;
  std::optional<bool> italic;
  std::optional<bool> underline;
  std::optional<QString> url;
  std::optional<QString> target;
  std::optional<TextAlign> align;
  std::optional<double> leftMargin;
  std::optional<double> rightMargin;
  std::optional<double> indent;
  std::optional<double> leading;
  std::optional<double> blockIndent;
  std::optional<bool> bullet;
  std::optional<std::vector<double>> tabStops;

  bool operator==(const FieldFormat&) const = default;

  // The members other sets take its values.
  void apply(const FieldFormat& other);
  // Keeps only the members other has with the same value.
  void intersect(const FieldFormat& other);
};

// The complete format a field's text starts with: its definition's font,
// size, colour, alignment and margins.
FieldFormat definitionFormat(const EditText& field, const QString& fontName);

// How a run in this (complete) format is drawn.
TextFormat runFormat(const FieldFormat& format);

// The format a run drawn this way has, over a base that supplies what a
// run does not carry (paragraph settings, url, target).
FieldFormat fieldFormatOf(const TextFormat& run, TextAlign align, const FieldFormat& base);

// TextAlign from and to the names scripts use ("left", "center"...).
std::optional<TextAlign> alignFromName(const QString& name);
QString alignName(TextAlign align);

}  // namespace quelvo::swf
