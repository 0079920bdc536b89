#include "swf/text/FieldContent.h"

#include <algorithm>

namespace quelvo::swf {

namespace {

constexpr double kTwipsPerPixel = 20;

bool isBreak(QChar c) { return c == u'\r' || c == u'\n'; }

// The members that belong to a paragraph rather than to characters.
FieldFormat paragraphPart(const FieldFormat& format) {
  FieldFormat part;
  part.align = format.align;
  part.leftMargin = format.leftMargin;
  part.rightMargin = format.rightMargin;
  part.indent = format.indent;
  part.leading = format.leading;
  part.blockIndent = format.blockIndent;
  part.bullet = format.bullet;
  part.tabStops = format.tabStops;
  return part;
}

FieldFormat characterPart(const FieldFormat& format) {
  FieldFormat part = format;
  part.align.reset();
  part.leftMargin = part.rightMargin = part.indent = part.leading = part.blockIndent = {};
  part.bullet.reset();
  part.tabStops.reset();
  return part;
}

ParagraphSpacing spacingOf(const FieldFormat& format) {
  ParagraphSpacing spacing;
  spacing.leftMargin =
      (format.leftMargin.value_or(0) + format.blockIndent.value_or(0)) * kTwipsPerPixel;
  spacing.rightMargin = format.rightMargin.value_or(0) * kTwipsPerPixel;
  spacing.indent = format.indent.value_or(0) * kTwipsPerPixel;
  spacing.leading = format.leading.value_or(0) * kTwipsPerPixel;
  return spacing;
}

}  // namespace

qsizetype FieldContent::clamp(qsizetype position) const {
  return std::clamp<qsizetype>(position, 0, text_.size());
}

void FieldContent::setText(const QString& text, const FieldFormat& format) {
  text_ = text.left(kMaxLength);
  spans_.assign(1, Span{text_.size(), format});
  last_ = format;
  mergeSpans();
}

void FieldContent::replace(qsizetype begin, qsizetype end, const QString& text,
                           const FieldFormat& format) {
  begin = clamp(begin);
  end = std::max(begin, clamp(end));
  const QString inserted = text.left(kMaxLength - (text_.size() - (end - begin)));
  const std::size_t first = splitAt(begin);
  const std::size_t last = splitAt(end);
  spans_.erase(spans_.begin() + static_cast<std::ptrdiff_t>(first),
               spans_.begin() + static_cast<std::ptrdiff_t>(last));
  spans_.insert(spans_.begin() + static_cast<std::ptrdiff_t>(first), Span{inserted.size(), format});
  text_.replace(begin, end - begin, inserted);
  if (text_.isEmpty()) last_ = format;
  mergeSpans();
}

std::size_t FieldContent::splitAt(qsizetype position) {
  qsizetype start = 0;
  for (std::size_t i = 0; i < spans_.size(); ++i) {
    if (start == position) return i;
    if (position < start + spans_[i].length) {
      Span tail{start + spans_[i].length - position, spans_[i].format};
      spans_[i].length = position - start;
      spans_.insert(spans_.begin() + static_cast<std::ptrdiff_t>(i) + 1, std::move(tail));
      return i + 1;
    }
    start += spans_[i].length;
  }
  return spans_.size();
}

void FieldContent::mergeSpans() {
  std::vector<Span> merged;
  for (Span& span : spans_) {
    if (span.length == 0) continue;
    if (!merged.empty() && merged.back().format == span.format) {
      merged.back().length += span.length;
    } else {
      merged.push_back(std::move(span));
    }
  }
  spans_ = std::move(merged);
  if (!spans_.empty()) last_ = spans_.back().format;
}

FieldFormat FieldContent::formatOf(qsizetype begin, qsizetype end) const {
  begin = clamp(begin);
  end = std::max(begin, clamp(end));
  if (begin == end) {
    if (begin == text_.size()) return last_;
    end = begin + 1;
  }
  std::optional<FieldFormat> shared;
  qsizetype start = 0;
  for (const Span& span : spans_) {
    const qsizetype spanEnd = start + span.length;
    if (spanEnd > begin && start < end) {
      if (shared) {
        shared->intersect(span.format);
      } else {
        shared = span.format;
      }
    }
    start = spanEnd;
    if (start >= end) break;
  }
  return shared.value_or(last_);
}

qsizetype FieldContent::paragraphStart(qsizetype position) const {
  while (position > 0 && !isBreak(text_[position - 1])) --position;
  return position;
}

qsizetype FieldContent::paragraphEnd(qsizetype position) const {
  while (position < text_.size() && !isBreak(text_[position])) ++position;
  if (position < text_.size() && text_[position] == u'\r' && position + 1 < text_.size() &&
      text_[position + 1] == u'\n') {
    ++position;
  }
  return std::min(position + 1, text_.size());
}

void FieldContent::applyFormat(qsizetype begin, qsizetype end, const FieldFormat& patch) {
  begin = clamp(begin);
  end = std::max(begin, clamp(end));
  const auto applyTo = [&](qsizetype from, qsizetype to, const FieldFormat& part) {
    const std::size_t first = splitAt(from);
    const std::size_t last = splitAt(to);
    for (std::size_t i = first; i < last; ++i) spans_[i].format.apply(part);
  };
  applyTo(begin, end, characterPart(patch));
  // A paragraph setting covers each paragraph the range touches.
  const FieldFormat paragraph = paragraphPart(patch);
  const qsizetype from = paragraphStart(begin);
  const qsizetype to = begin == end ? paragraphEnd(begin) : paragraphEnd(std::max(begin, end - 1));
  applyTo(from, to, paragraph);
  if (to == text_.size()) last_.apply(paragraph);
  // What ends at the text's end (all of an empty text) is also what the end has.
  if (end == text_.size()) last_.apply(characterPart(patch));
  mergeSpans();
}

std::vector<TextParagraph> FieldContent::paragraphs() const {
  std::vector<TextParagraph> paragraphs;
  const auto startParagraph = [&](const FieldFormat& format) {
    TextParagraph paragraph;
    paragraph.align = format.align.value_or(TextAlign::Left);
    paragraph.spacing = spacingOf(format);
    paragraph.format = runFormat(format);
    paragraphs.push_back(std::move(paragraph));
  };
  startParagraph(spans_.empty() ? last_ : spans_.front().format);
  qsizetype position = 0;
  for (std::size_t index = 0; index < spans_.size(); ++index) {
    const Span& span = spans_[index];
    // The format of the character after a break at i.
    const auto formatAfter = [&](qsizetype i) -> const FieldFormat& {
      if (i + 1 < position + span.length) return span.format;
      return index + 1 < spans_.size() ? spans_[index + 1].format : last_;
    };
    const TextFormat run = runFormat(span.format);
    for (qsizetype i = position, start = position; i <= position + span.length; ++i) {
      const bool atEnd = i == position + span.length;
      if (!atEnd && !isBreak(text_[i])) continue;
      if (i > start) {
        auto& runs = paragraphs.back().runs;
        if (!runs.empty() && runs.back().format == run) {
          runs.back().text += text_.mid(start, i - start);
        } else {
          runs.push_back(TextRun{text_.mid(start, i - start), run});
        }
      }
      if (atEnd) break;
      if (text_[i] == u'\r' && i + 1 < text_.size() && text_[i + 1] == u'\n') {
        // CR LF is one break, even when a span ends between them.
        if (i + 1 < position + span.length) ++i;
      } else if (text_[i] == u'\n' && i > 0 && text_[i - 1] == u'\r' && i == position) {
        start = i + 1;
        continue;
      }
      start = i + 1;
      startParagraph(formatAfter(i));
    }
    position += span.length;
  }
  return paragraphs;
}

}  // namespace quelvo::swf
