#include "swf/text/TextLibrary.h"

#include <functional>

#include "swf/base/Log.h"
#include "swf/format/TagCodes.h"
#include "swf/geometry/Transforms.h"

namespace quelvo::swf {

namespace {

std::uint16_t recordId(const TagRecord& record) {
  return static_cast<std::uint16_t>(record.body[0] | record.body[1] << 8);
}

template <typename T>
const T* parsed(std::map<std::uint16_t, std::optional<T>>& cache, std::uint16_t id,
                const std::map<std::uint16_t, TagRecord>& records,
                const std::function<Expected<T>(const TagRecord&)>& parse) {
  auto [entry, added] = cache.try_emplace(id);
  if (added) {
    const auto record = records.find(id);
    if (record == records.end()) return nullptr;
    auto value = parse(record->second);
    if (value) {
      entry->second = std::move(*value);
    } else {
      qCDebug(lcSwf) << "unreadable text definition:" << value.error().describe().c_str();
    }
  }
  return entry->second ? &*entry->second : nullptr;
}

}  // namespace

TextLibrary::TextLibrary(std::span<const TagRecord> definitions) {
  for (const TagRecord& record : definitions) {
    if (record.body.size() < 2) continue;
    const bool info = record.code == tags::DefineFontInfo || record.code == tags::DefineFontInfo2;
    const bool wanted = fontVersion(record.code) != 0 || isStaticTextTag(record.code) ||
                        record.code == tags::DefineEditText;
    if (info) fontInfos_.try_emplace(recordId(record), record);
    if (wanted) records_.try_emplace(recordId(record), record);
  }
}

const Font* TextLibrary::font(std::uint16_t id) {
  const auto found = records_.find(id);
  if (found == records_.end() || fontVersion(found->second.code) == 0) return nullptr;
  return parsed<Font>(fonts_, id, records_, [&](const TagRecord& record) -> Expected<Font> {
    auto font = readFont(record, edgeBudget_);
    const auto info = fontInfos_.find(id);
    if (font && font->version == 1 && info != fontInfos_.end()) {
      const auto applied = applyFontInfo(*font, info->second);
      if (!applied) qCDebug(lcSwf) << "unreadable font info:" << applied.error().describe().c_str();
    }
    return font;
  });
}

const StaticText* TextLibrary::staticText(std::uint16_t id) {
  const auto found = records_.find(id);
  if (found == records_.end() || !isStaticTextTag(found->second.code)) return nullptr;
  return parsed<StaticText>(texts_, id, records_, readStaticText);
}

const EditText* TextLibrary::editText(std::uint16_t id) {
  const auto found = records_.find(id);
  if (found == records_.end() || found->second.code != tags::DefineEditText) return nullptr;
  return parsed<EditText>(editTexts_, id, records_, readEditText);
}

const std::vector<PlacedGlyph>& TextLibrary::glyphs(std::uint16_t textId) {
  auto [entry, added] = glyphs_.try_emplace(textId);
  const StaticText* text = added ? staticText(textId) : nullptr;
  if (!text) return entry->second;
  const Font* font = nullptr;
  Rgba colour;
  double x = 0, y = 0, height = 0;
  for (const TextRecord& record : text->records) {
    if (record.font) font = this->font(*record.font);
    if (record.height) height = *record.height;
    if (record.colour) colour = *record.colour;
    if (record.x) x = *record.x;
    if (record.y) y = *record.y;
    ColorTransform tint;
    tint.multiply = {0, 0, 0, 0};
    tint.add = {double(colour.red), double(colour.green), double(colour.blue),
                double(colour.alpha)};
    for (const GlyphEntry& glyph : record.glyphs) {
      if (font && glyph.index < font->glyphs.size()) {
        const double scale = height / font->emSquare();
        const QTransform toText(scale, 0, 0, scale, x, y);
        entry->second.push_back(PlacedGlyph{&font->glyphs[glyph.index].shape,
                                            toText * toQTransform(text->matrix), tint});
      }
      x += glyph.advance;
    }
  }
  return entry->second;
}

const Font* TextLibrary::fontNamed(const QString& name, bool bold, bool italic) {
  for (const auto& [id, record] : records_) {
    if (fontVersion(record.code) == 0) continue;
    const Font* candidate = font(id);
    if (candidate && !candidate->glyphs.empty() && candidate->bold == bold &&
        candidate->italic == italic && candidate->name.compare(name, Qt::CaseInsensitive) == 0) {
      return candidate;
    }
  }
  return nullptr;
}

}  // namespace quelvo::swf
