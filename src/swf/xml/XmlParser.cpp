#include "swf/xml/XmlParser.h"

#include <optional>
#include <utility>

#include "swf/xml/XmlText.h"

namespace quelvo::swf::xml {

namespace {

bool isSpace(QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

bool onlySpace(QStringView text) {
  for (const QChar c : text) {
    if (!isSpace(c)) return false;
  }
  return true;
}

bool endsName(QChar c) { return isSpace(c) || c == u'/' || c == u'>' || c == u'='; }

class Parser {
 public:
  Parser(QStringView source, bool ignoreWhite, Sink& sink)
      : in_(source), ignoreWhite_(ignoreWhite), sink_(sink) {}

  Result run() {
    while (pos_ < in_.size() && result_.status == Status::Ok) {
      if (in_[pos_] == u'<') {
        markup();
      } else {
        text();
      }
    }
    if (result_.status == Status::Ok && !open_.empty()) result_.status = Status::StartTagUnmatched;
    return std::move(result_);
  }

 private:
  bool at(QStringView prefix) const { return in_.mid(pos_).startsWith(prefix); }

  void fail(Status status) { result_.status = status; }

  bool countNode() {
    if (++nodes_ <= kMaxNodes) return true;
    fail(Status::OutOfMemory);
    return false;
  }

  // The text up to the next '<', or the end.
  void text() {
    qsizetype end = in_.indexOf(u'<', pos_);
    if (end < 0) end = in_.size();
    const QStringView raw = in_.mid(pos_, end - pos_);
    pos_ = end;
    if (ignoreWhite_ && onlySpace(raw)) return;
    if (countNode()) sink_.text(decodeEntities(raw));
  }

  // The position just past terminator, searched from pos_ + skip; nothing
  // when it never comes.
  std::optional<qsizetype> endOf(QStringView terminator, qsizetype skip) const {
    const qsizetype found = in_.indexOf(terminator, pos_ + skip);
    if (found < 0) return std::nullopt;
    return found + terminator.size();
  }

  void markup() {
    if (at(u"<!--")) {
      skipTo(u"-->", 4, Status::CommentUnterminated);
    } else if (at(u"<![CDATA[")) {
      cdata();
    } else if (at(u"<?")) {
      declaration();
    } else if (at(u"<!")) {
      doctype();
    } else if (at(u"</")) {
      endTag();
    } else {
      startTag();
    }
  }

  void skipTo(QStringView terminator, qsizetype skip, Status unterminated) {
    const auto end = endOf(terminator, skip);
    if (!end) return fail(unterminated);
    pos_ = *end;
  }

  void cdata() {
    constexpr qsizetype kOpen = 9;  // "<![CDATA["
    const auto end = endOf(u"]]>", kOpen);
    if (!end) return fail(Status::CdataUnterminated);
    const QStringView raw = in_.mid(pos_ + kOpen, *end - 3 - pos_ - kOpen);
    pos_ = *end;
    if (countNode()) sink_.text(raw.toString());
  }

  void declaration() {
    const auto end = endOf(u"?>", 2);
    if (!end) return fail(Status::DeclarationUnterminated);
    const QStringView whole = in_.mid(pos_, *end - pos_);
    if (whole.startsWith(u"<?xml", Qt::CaseInsensitive)) result_.xmlDecl = whole.toString();
    pos_ = *end;
  }

  // <!DOCTYPE ...> with an internal subset in brackets that may hold '>'.
  void doctype() {
    int brackets = 0;
    for (qsizetype i = pos_ + 2; i < in_.size(); ++i) {
      const QChar c = in_[i];
      if (c == u'[') ++brackets;
      if (c == u']' && brackets > 0) --brackets;
      if (c == u'>' && brackets == 0) {
        result_.docTypeDecl = in_.mid(pos_, i + 1 - pos_).toString();
        pos_ = i + 1;
        return;
      }
    }
    fail(Status::DoctypeUnterminated);
  }

  void skipSpace() {
    while (pos_ < in_.size() && isSpace(in_[pos_])) ++pos_;
  }

  QString name() {
    const qsizetype start = pos_;
    while (pos_ < in_.size() && !endsName(in_[pos_])) ++pos_;
    return in_.mid(start, pos_ - start).toString();
  }

  void endTag() {
    pos_ += 2;
    const QString closing = name();
    skipSpace();
    if (pos_ >= in_.size() || in_[pos_] != u'>' || closing.isEmpty()) {
      return fail(Status::ElementMalformed);
    }
    ++pos_;
    if (open_.empty()) return fail(Status::EndTagUnmatched);
    if (open_.back() != closing) return fail(Status::StartTagUnmatched);
    open_.pop_back();
    sink_.endElement();
  }

  // name="value" or name='value'; false once parsing has failed.
  bool attribute(std::vector<Attribute>& attributes) {
    QString attributeName = name();
    skipSpace();
    if (attributeName.isEmpty() || pos_ >= in_.size() || in_[pos_] != u'=') {
      fail(Status::ElementMalformed);
      return false;
    }
    ++pos_;
    skipSpace();
    if (pos_ >= in_.size() || (in_[pos_] != u'"' && in_[pos_] != u'\'')) {
      fail(Status::ElementMalformed);
      return false;
    }
    const QChar quote = in_[pos_];
    const qsizetype close = in_.indexOf(quote, pos_ + 1);
    if (close < 0) {
      fail(Status::AttributeUnterminated);
      return false;
    }
    attributes.push_back(
        {std::move(attributeName), decodeEntities(in_.mid(pos_ + 1, close - pos_ - 1))});
    pos_ = close + 1;
    return true;
  }

  void startTag() {
    ++pos_;
    QString elementName = name();
    if (elementName.isEmpty()) return fail(Status::ElementMalformed);
    std::vector<Attribute> attributes;
    while (true) {
      skipSpace();
      if (pos_ >= in_.size()) return fail(Status::ElementMalformed);
      if (in_[pos_] == u'>' || at(u"/>")) break;
      if (!attribute(attributes)) return;
    }
    const bool empty = in_[pos_] == u'/';
    pos_ += empty ? 2 : 1;
    if (!empty && open_.size() >= kMaxDepth) return fail(Status::OutOfMemory);
    if (!countNode()) return;
    sink_.startElement(elementName, std::move(attributes));
    if (empty) {
      sink_.endElement();
    } else {
      open_.push_back(std::move(elementName));
    }
  }

  QStringView in_;
  bool ignoreWhite_;
  Sink& sink_;
  qsizetype pos_ = 0;
  std::size_t nodes_ = 0;
  std::vector<QString> open_;
  Result result_;
};

}  // namespace

Result parse(QStringView source, bool ignoreWhite, Sink& sink) {
  return Parser(source, ignoreWhite, sink).run();
}

}  // namespace quelvo::swf::xml
