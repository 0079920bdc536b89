// The members, text formats and text extents of text fields.
#include <cmath>

#include "swf/script/ScriptHost.h"

namespace quelvo::swf {

using avm1::ClipHandle;
using avm1::Value;

namespace {

constexpr double kTwipsPerPixel = 20.0;
constexpr double kGutterPixels = 2;
// getTextExtent lays text out at most this wide when given no width.
constexpr double kUnwrappedWidthTwips = 1 << 24;

Value rgbValue(const Rgba& colour) {
  return Value::number(std::uint32_t{colour.red} << 16 | std::uint32_t{colour.green} << 8 |
                       colour.blue);
}

Rgba rgbaOf(double number) {
  const auto rgb =
      std::isfinite(number) ? static_cast<std::uint32_t>(static_cast<std::int64_t>(number)) : 0u;
  return Rgba{static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
              static_cast<std::uint8_t>(rgb), 255};
}

QString autoSizeName(AutoSize size) {
  switch (size) {
    case AutoSize::None:
      break;
    case AutoSize::Left:
      return QStringLiteral("left");
    case AutoSize::Center:
      return QStringLiteral("center");
    case AutoSize::Right:
      return QStringLiteral("right");
  }
  return QStringLiteral("none");
}

AutoSize autoSizeOf(const Value& value, const QString& text) {
  if (value.isBoolean()) return value.asBoolean() ? AutoSize::Left : AutoSize::None;
  const QString name = text.toLower();
  if (name == u"left") return AutoSize::Left;
  if (name == u"center") return AutoSize::Center;
  if (name == u"right") return AutoSize::Right;
  return AutoSize::None;
}

Value stringOrNull(const QString& text) {
  return text.isEmpty() ? Value::null() : Value::string(text);
}

// begin and end of a range scripts give, end < 0 standing for the end.
std::pair<qsizetype, qsizetype> rangeOf(const FieldContent& content, int begin, int end) {
  const qsizetype length = content.text().size();
  const qsizetype from = std::clamp<qsizetype>(begin, 0, length);
  const qsizetype to = end < 0 ? length : std::clamp<qsizetype>(end, from, length);
  return {from, to};
}

}  // namespace

Value ScriptHost::fieldMember(ClipHandle handle, FieldMember member) {
  const auto place = fieldPlace(handle);
  if (!place) return {};
  ScriptedField& field = *place->field;
  const EditText& definition = field.definition;
  const FieldContent& content = field.content;
  switch (member) {
    case FieldMember::Text:
      return Value::string(content.text());
    case FieldMember::HtmlText:
      return Value::string(definition.html ? content.html() : content.text());
    case FieldMember::Html:
      return Value::boolean(definition.html);
    case FieldMember::TextColor:
      return Value::number(content.formatOf(0, 0).color.value_or(0));
    case FieldMember::Background:
      return Value::boolean(field.frame.background);
    case FieldMember::BackgroundColor:
      return rgbValue(field.frame.backgroundColour);
    case FieldMember::Border:
      return Value::boolean(field.frame.border);
    case FieldMember::BorderColor:
      return rgbValue(field.frame.borderColour);
    case FieldMember::AutoSize:
      return Value::string(autoSizeName(field.autoSize));
    case FieldMember::WordWrap:
      return Value::boolean(definition.wordWrap);
    case FieldMember::Multiline:
      return Value::boolean(definition.multiline);
    case FieldMember::Selectable:
      return Value::boolean(!definition.noSelect);
    case FieldMember::Type:
      return Value::string(definition.readOnly ? QStringLiteral("dynamic")
                                               : QStringLiteral("input"));
    case FieldMember::MaxChars:
      return definition.maxLength ? Value::number(*definition.maxLength) : Value::null();
    case FieldMember::Restrict:
      return field.restrict ? Value::string(*field.restrict) : Value::null();
    case FieldMember::Password:
      return Value::boolean(definition.password);
    case FieldMember::EmbedFonts:
      return Value::boolean(definition.useOutlines);
    case FieldMember::Variable:
      return stringOrNull(definition.variableName);
    case FieldMember::Scroll:
      return Value::number(field.frame.scroll + 1);
    case FieldMember::HScroll:
    case FieldMember::MaxHScroll:
      return Value::number(0);
    case FieldMember::Length:
      return Value::number(static_cast<double>(content.text().size()));
    case FieldMember::MaxScroll:
    case FieldMember::BottomScroll:
    case FieldMember::TextWidth:
    case FieldMember::TextHeight:
      break;
  }
  const FieldMetrics& metrics = context_.fields.metrics(*place->state);
  switch (member) {
    case FieldMember::MaxScroll:
      return Value::number(metrics.maxScroll + 1);
    case FieldMember::BottomScroll:
      return Value::number(metrics.bottomLine + 1);
    case FieldMember::TextWidth:
      return Value::number(std::round(metrics.textWidth) / kTwipsPerPixel);
    default:
      return Value::number(std::round(metrics.textHeight) / kTwipsPerPixel);
  }
}

void ScriptHost::setFieldMember(ClipHandle handle, FieldMember member, const Value& value) {
  const auto place = fieldPlace(handle);
  if (!place) return;
  ScriptedField& field = *place->field;
  EditText& definition = field.definition;
  const QString text = value.isString() ? value.asString() : vm_->toString(value);
  const bool flag = value.isBoolean() && value.asBoolean();
  const double number = value.isNumber() ? value.asNumber() : 0;
  switch (member) {
    case FieldMember::Text:
      field.content.setText(text, field.newFormat);
      fieldTextChanged(*place);
      break;
    case FieldMember::HtmlText:
      if (definition.html) {
        field.content.setHtml(text, field.newFormat);
      } else {
        field.content.setText(text, field.newFormat);
      }
      fieldTextChanged(*place);
      break;
    case FieldMember::Html:
      definition.html = flag;
      break;
    case FieldMember::TextColor: {
      FieldFormat colour;
      colour.color = static_cast<std::uint32_t>(rgbValue(rgbaOf(number)).asNumber());
      field.content.applyFormat(0, field.content.text().size(), colour);
      field.newFormat.apply(colour);
      break;
    }
    case FieldMember::Background:
      field.frame.background = flag;
      break;
    case FieldMember::BackgroundColor:
      field.frame.backgroundColour = rgbaOf(number);
      break;
    case FieldMember::Border:
      field.frame.border = flag;
      break;
    case FieldMember::BorderColor:
      field.frame.borderColour = rgbaOf(number);
      break;
    case FieldMember::AutoSize:
      field.autoSize = autoSizeOf(value, text);
      break;
    case FieldMember::WordWrap:
      definition.wordWrap = flag;
      break;
    case FieldMember::Multiline:
      definition.multiline = flag;
      break;
    case FieldMember::Selectable:
      definition.noSelect = !flag;
      break;
    case FieldMember::Type:
      if (text == u"input" || text == u"dynamic") definition.readOnly = text == u"dynamic";
      break;
    case FieldMember::MaxChars: {
      const double limit = vm_->toNumber(value);
      definition.maxLength.reset();
      if (!value.isNullish() && limit >= 1) {
        definition.maxLength = static_cast<std::uint16_t>(std::min(limit, 65535.0));
      }
      break;
    }
    case FieldMember::Restrict:
      field.restrict.reset();
      if (!value.isNullish()) field.restrict = text.left(FieldContent::kMaxLength);
      break;
    case FieldMember::Password:
      definition.password = flag;
      break;
    case FieldMember::EmbedFonts:
      definition.useOutlines = flag;
      break;
    case FieldMember::Variable:
      definition.variableName = value.isNullish() ? QString() : text;
      place->state->bound = false;
      break;
    case FieldMember::Scroll:
    case FieldMember::HScroll: {
      if (member == FieldMember::HScroll) return;
      const int last = context_.fields.metrics(*place->state).maxScroll;
      const int before = field.frame.scroll;
      field.frame.scroll =
          std::isfinite(number) ? static_cast<int>(std::clamp(number - 1, 0.0, double(last))) : 0;
      if (field.frame.scroll != before) queueFieldEvent(handle, QStringLiteral("onScroller"));
      break;
    }
    case FieldMember::MaxScroll:
    case FieldMember::BottomScroll:
    case FieldMember::MaxHScroll:
    case FieldMember::Length:
    case FieldMember::TextWidth:
    case FieldMember::TextHeight:
      return;
  }
  FieldTexts::changed(*place->state);
}

FieldFormat ScriptHost::textFormat(ClipHandle handle, int begin, int end) {
  const auto place = fieldPlace(handle);
  if (!place) return {};
  const auto [from, to] = rangeOf(place->field->content, begin, end);
  return place->field->content.formatOf(from, to);
}

void ScriptHost::setTextFormat(ClipHandle handle, int begin, int end, const FieldFormat& format) {
  const auto place = fieldPlace(handle);
  if (!place) return;
  const auto [from, to] = rangeOf(place->field->content, begin, end);
  place->field->content.applyFormat(from, to, format);
  FieldTexts::changed(*place->state);
}

FieldFormat ScriptHost::newTextFormat(ClipHandle handle) {
  const auto place = fieldPlace(handle);
  return place ? place->field->newFormat : FieldFormat();
}

void ScriptHost::setNewTextFormat(ClipHandle handle, const FieldFormat& format) {
  if (const auto place = fieldPlace(handle)) place->field->newFormat.apply(format);
}

avm1::TextExtent ScriptHost::textExtent(const FieldFormat& format, const QString& text,
                                        std::optional<double> width) {
  ScriptedField field;
  field.definition.bounds.xMax =
      width && std::isfinite(*width) && *width > 0
          ? static_cast<std::int32_t>(std::min(*width * kTwipsPerPixel, kUnwrappedWidthTwips))
          : static_cast<std::int32_t>(kUnwrappedWidthTwips);
  field.definition.bounds.yMax = static_cast<std::int32_t>(kUnwrappedWidthTwips);
  field.definition.wordWrap = width.has_value();
  FieldFormat complete = definitionFormat(field.definition, QStringLiteral("_serif"));
  complete.apply(format);
  field.content.setText(text, complete);
  FieldState state;
  state.scripted = std::make_unique<ScriptedField>(std::move(field));
  const FieldMetrics& metrics = context_.fields.metrics(state);
  avm1::TextExtent extent;
  extent.width = std::round(metrics.textWidth) / kTwipsPerPixel;
  extent.height = std::round(metrics.textHeight) / kTwipsPerPixel;
  extent.ascent = std::round(metrics.ascent) / kTwipsPerPixel;
  extent.descent = std::round(metrics.descent) / kTwipsPerPixel;
  extent.fieldWidth = extent.width + 2 * kGutterPixels;
  extent.fieldHeight = extent.height + 2 * kGutterPixels;
  return extent;
}

}  // namespace quelvo::swf
