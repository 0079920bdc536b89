#include "core/settings/ProfileDocument.h"

#include <algorithm>

#include "core/settings/ProfileLine.h"

namespace quelvo::core {

using platform::TextCodec;

namespace {

constexpr QByteArrayView kLineEnd("\r\n");

QString foldName(QStringView name) { return trimBlanks(name).toString().toCaseFolded(); }

bool isAscii(QByteArrayView bytes) {
  return std::all_of(bytes.begin(), bytes.end(),
                     [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

bool hasLineBreak(QStringView text) { return text.contains(u'\r') || text.contains(u'\n'); }

// Whether "[section]" and "key=value" read back as the same names and value.
bool canStore(QStringView section, QStringView key, QStringView value) {
  return !key.isEmpty() && !key.contains(u'=') && !key.startsWith(u';') && !key.startsWith(u'[') &&
         !hasLineBreak(section) && !hasLineBreak(key) && !hasLineBreak(value);
}

QString keyLineText(QStringView key, QStringView value) {
  QString text;
  text.reserve(key.size() + 1 + value.size());
  return text.append(key).append(u'=').append(value);
}

QString headerText(QStringView name) {
  QString text;
  text.reserve(name.size() + 2);
  return text.append(u'[').append(name).append(u']');
}

// Gives the last line of a part of the document a line end, so that another line can follow it.
void terminateLastLine(QByteArray& part) {
  if (!part.isEmpty() && !endsWithLineEnd(part)) part.append(kLineEnd);
}

}  // namespace

ProfileDocument ProfileDocument::fromBytes(const QByteArray& bytes) {
  ProfileDocument document;
  QByteArrayView rest(bytes);
  if (platform::hasUtf8Bom(rest)) {
    document.bom_ = bytes.first(3);
    rest = rest.sliced(3);
  }
  if (!document.bom_.isEmpty() || !isAscii(rest)) document.codec_ = platform::detectCodec(bytes);

  qsizetype indexedLines = 0;
  qsizetype begin = 0;
  while (begin < rest.size()) {
    qsizetype end = begin;
    while (end < rest.size() && rest[end] != '\n' && rest[end] != '\r') ++end;
    qsizetype next = end;
    if (next < rest.size()) {
      const bool crLf = rest[next] == '\r' && next + 1 < rest.size() && rest[next + 1] == '\n';
      next += crLf ? 2 : 1;
    }
    document.addLine(rest.sliced(begin, end - begin), rest.sliced(begin, next - begin),
                     indexedLines);
    begin = next;
  }
  return document;
}

void ProfileDocument::addLine(QByteArrayView content, QByteArrayView line,
                              qsizetype& indexedLines) {
  ProfileLine parsed;
  if (indexedLines < kMaxIndexedLines) {
    parsed = parseProfileLine(content, readCodec());
  } else if (isBlankLine(content)) {
    parsed.kind = ProfileLineKind::Blank;
  }
  if (parsed.kind == ProfileLineKind::Section || parsed.kind == ProfileLineKind::Key) {
    ++indexedLines;
  }
  if (parsed.kind == ProfileLineKind::Section) {
    Section& section = sections_.emplace_back();
    section.name = foldName(parsed.name);
    section.header = line.toByteArray();
    if (!sectionIndex_.contains(section.name))
      sectionIndex_.insert(section.name, sections_.size() - 1);
    return;
  }
  Section& section = sections_.back();
  if (parsed.kind == ProfileLineKind::Blank) {
    section.trailingBlanks.append(line);
    return;
  }
  // More content follows: the blank lines before it no longer end the section.
  appendOtherLines(section, section.trailingBlanks);
  section.trailingBlanks.clear();
  if (parsed.kind == ProfileLineKind::Key) {
    QString key = foldName(parsed.name);
    if (!section.keys.contains(key)) section.keys.insert(key, section.entries.size());
    section.entries.push_back({line.toByteArray(), std::move(key)});
  } else {
    appendOtherLines(section, line);
  }
}

void ProfileDocument::appendOtherLines(Section& section, QByteArrayView lines) {
  if (lines.isEmpty()) return;
  if (!section.entries.empty() && section.entries.back().key.isEmpty()) {
    section.entries.back().bytes.append(lines);
  } else {
    section.entries.push_back({lines.toByteArray(), {}});
  }
}

QByteArray ProfileDocument::toBytes() const {
  qsizetype total = bom_.size();
  for (const Section& section : sections_) {
    total += section.header.size() + section.trailingBlanks.size();
    for (const Entry& entry : section.entries) total += entry.bytes.size();
  }
  QByteArray bytes;
  bytes.reserve(total);
  bytes.append(bom_);
  for (const Section& section : sections_) {
    bytes.append(section.header);
    for (const Entry& entry : section.entries) bytes.append(entry.bytes);
    bytes.append(section.trailingBlanks);
  }
  return bytes;
}

QString ProfileDocument::read(const QString& section, const QString& key) const {
  const Entry* entry = findEntry(section, key);
  return entry ? readProfileValue(withoutLineEnd(entry->bytes), readCodec()) : QString();
}

QString ProfileDocument::readWhole(const QString& section, const QString& key) const {
  const Entry* entry = findEntry(section, key);
  return entry ? readProfileValue(withoutLineEnd(entry->bytes), readCodec(), ReadLimit::Whole)
               : QString();
}

bool ProfileDocument::hasKey(const QString& section, const QString& key) const {
  return findEntry(section, key) != nullptr;
}

bool ProfileDocument::set(const QString& section, const QString& key, const QString& value) {
  const QStringView sectionName = trimBlanks(section);
  const QStringView keyName = trimBlanks(key);
  if (!canStore(sectionName, keyName, value)) return false;

  Section& target = sectionForWriting(sectionName);
  const QString folded = foldName(keyName);
  if (const auto found = target.keys.constFind(folded); found != target.keys.cend()) {
    Entry& entry = target.entries[*found];
    const QString spelling = parseProfileLine(withoutLineEnd(entry.bytes), readCodec()).name;
    entry.bytes = encodeLine(keyLineText(spelling, value));
    return true;
  }
  terminateLastLine(target.entries.empty() ? target.header : target.entries.back().bytes);
  target.keys.insert(folded, target.entries.size());
  target.entries.push_back({encodeLine(keyLineText(keyName, value)), folded});
  return true;
}

void ProfileDocument::removeKey(const QString& section, const QString& key) {
  const auto position = sectionPosition(section);
  if (!position) return;
  Section& target = sections_[*position];
  const QString folded = foldName(key);
  if (!target.keys.contains(folded)) return;
  std::erase_if(target.entries, [&](const Entry& entry) { return entry.key == folded; });
  target.keys.clear();
  for (std::size_t i = 0; i < target.entries.size(); ++i) {
    const QString& name = target.entries[i].key;
    if (!name.isEmpty() && !target.keys.contains(name)) target.keys.insert(name, i);
  }
}

void ProfileDocument::removeSection(const QString& section) {
  const QString folded = foldName(section);
  if (!sectionIndex_.contains(folded)) return;
  // The lines before the first header have no header and are never removed.
  std::erase_if(sections_, [&](const Section& candidate) {
    return !candidate.header.isEmpty() && candidate.name == folded;
  });
  sectionIndex_.clear();
  for (std::size_t i = 1; i < sections_.size(); ++i) {
    if (!sectionIndex_.contains(sections_[i].name)) sectionIndex_.insert(sections_[i].name, i);
  }
}

std::optional<std::size_t> ProfileDocument::sectionPosition(QStringView name) const {
  const auto found = sectionIndex_.constFind(foldName(name));
  if (found == sectionIndex_.cend()) return std::nullopt;
  return *found;
}

const ProfileDocument::Entry* ProfileDocument::findEntry(const QString& section,
                                                         const QString& key) const {
  const auto position = sectionPosition(section);
  if (!position) return nullptr;
  const Section& found = sections_[*position];
  const auto entry = found.keys.constFind(foldName(key));
  return entry == found.keys.cend() ? nullptr : &found.entries[*entry];
}

ProfileDocument::Section& ProfileDocument::sectionForWriting(QStringView name) {
  if (const auto position = sectionPosition(name)) return sections_[*position];
  Section& last = sections_.back();
  terminateLastLine(!last.trailingBlanks.isEmpty() ? last.trailingBlanks
                    : !last.entries.empty()        ? last.entries.back().bytes
                                                   : last.header);
  Section& added = sections_.emplace_back();
  added.name = foldName(name);
  added.header = encodeLine(headerText(name));
  sectionIndex_.insert(added.name, sections_.size() - 1);
  return added;
}

QByteArray ProfileDocument::encodeLine(const QString& text) {
  QByteArray bytes;
  if (codec_) {
    bytes = platform::encodeWith(*codec_, text);
  } else {
    bytes = platform::encodeText(text);
    // The first non-ASCII bytes settle the codec, as detecting it on the saved file would.
    if (!isAscii(bytes)) codec_ = platform::detectCodec(bytes);
  }
  bytes.append(kLineEnd);
  return bytes;
}

TextCodec ProfileDocument::readCodec() const {
  // All-ASCII text decodes the same with either codec.
  return codec_.value_or(TextCodec::Utf8);
}

}  // namespace quelvo::core
