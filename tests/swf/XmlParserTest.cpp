// The XML reader scripts' XML objects use: what it reports for well-formed
// and broken documents, entities, and its limits on hostile input.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "swf/xml/XmlParser.h"
#include "swf/xml/XmlText.h"

namespace quelvo::swf::xml {
namespace {

// Writes the events as a compact trace: "<a x=1>", "'text'", "</>".
class Recorder final : public Sink {
 public:
  void startElement(const QString& name, std::vector<Attribute> attributes) override {
    QString line = u'<' + name;
    for (const Attribute& attribute : attributes) {
      line += u' ' + attribute.name + u'=' + attribute.value;
    }
    events.push_back((line + u'>').toStdString());
  }
  void endElement() override { events.push_back("</>"); }
  void text(const QString& value) override { events.push_back("'" + value.toStdString() + "'"); }

  std::vector<std::string> events;
};

struct Parsed {
  Result result;
  std::vector<std::string> events;
};

Parsed parseText(const QString& source, bool ignoreWhite = false) {
  Recorder recorder;
  Result result = parse(source, ignoreWhite, recorder);
  return {std::move(result), std::move(recorder.events)};
}

using Events = std::vector<std::string>;

TEST(XmlParserTest, ReadsElementsAttributesTextAndDeclarations) {
  const auto parsed = parseText(
      QStringLiteral("<?xml version=\"1.0\"?><!DOCTYPE menu [<!ENTITY e \"a>b\">]><!-- skipped -->"
                     "<menu id='m1' title=\"A &amp; B\"><item>Tea &lt;hot&gt;</item>"
                     "<![CDATA[<raw> & stuff]]><empty/><?pi ignored?></menu>"));
  EXPECT_EQ(parsed.result.status, Status::Ok);
  EXPECT_EQ(parsed.result.xmlDecl, QStringLiteral("<?xml version=\"1.0\"?>"));
  EXPECT_EQ(parsed.result.docTypeDecl, QStringLiteral("<!DOCTYPE menu [<!ENTITY e \"a>b\">]>"));
  EXPECT_EQ(parsed.events, (Events{"<menu id=m1 title=A & B>", "<item>", "'Tea <hot>'", "</>",
                                   "'<raw> & stuff'", "<empty>", "</>", "</>"}));
}

TEST(XmlParserTest, IgnoreWhiteDropsOnlyBlankText) {
  const QString source = QStringLiteral("<a>\n  <b> x </b>\t\r\n</a>");
  EXPECT_EQ(parseText(source, true).events, (Events{"<a>", "<b>", "' x '", "</>", "</>"}));
  EXPECT_EQ(parseText(source, false).events.size(), 7u);
}

TEST(XmlParserTest, BrokenDocumentsStopWithTheirStatusAndKeepWhatCameBefore) {
  const std::pair<const char*, Status> cases[] = {
      {"<a><![CDATA[never ends", Status::CdataUnterminated},
      {"<?xml version='1.0'", Status::DeclarationUnterminated},
      {"<!DOCTYPE a [ <!ENTITY x '>' ", Status::DoctypeUnterminated},
      {"<a><!-- never ends", Status::CommentUnterminated},
      {"<a b></a>", Status::ElementMalformed},
      {"<a b=c></a>", Status::ElementMalformed},
      {"< a/>", Status::ElementMalformed},
      {"<a", Status::ElementMalformed},
      {"<a></a", Status::ElementMalformed},
      {"<a b='x></a>", Status::AttributeUnterminated},
      {"<a><b></a>", Status::StartTagUnmatched},
      {"<a><b>", Status::StartTagUnmatched},
      {"<a/></a>", Status::EndTagUnmatched},
  };
  for (const auto& [source, status] : cases) {
    EXPECT_EQ(parseText(QString::fromUtf8(source)).result.status, status) << source;
  }
  EXPECT_EQ(parseText(QStringLiteral("<a>x<b>")).events, (Events{"<a>", "'x'", "<b>"}));
}

TEST(XmlParserTest, EntitiesDecodeOnceAndUnknownOnesStay) {
  EXPECT_EQ(decodeEntities(u"&amp;lt; &#65;&#x42; &#x1F600; &nope; &#0; & &#xD800;"),
            QStringLiteral("&lt; AB ") + QString::fromUcs4(U"\U0001F600") +
                QStringLiteral(" &nope; &#0; & &#xD800;"));
  EXPECT_EQ(escapeText(u"<a href=\"x\">&'</a>"),
            QStringLiteral("&lt;a href=&quot;x&quot;&gt;&amp;&apos;&lt;/a&gt;"));
}

TEST(XmlParserTest, HostileDocumentsEndWithinLimits) {
  // Nesting past the limit ends the parse instead of growing without bound.
  QString deep;
  for (int i = 0; i < 100000; ++i) deep += QStringLiteral("<a>");
  const auto nested = parseText(deep);
  EXPECT_EQ(nested.result.status, Status::OutOfMemory);
  EXPECT_EQ(nested.events.size(), kMaxDepth);

  QString many;
  for (std::size_t i = 0; i <= kMaxNodes; ++i) many += QStringLiteral("<a/>");
  Recorder counter;
  EXPECT_EQ(parse(many, false, counter).status, Status::OutOfMemory);
  EXPECT_EQ(counter.events.size(), kMaxNodes * 2);

  // Text of nothing but ampersands, and a tag that never ends, read in one pass.
  const QString ampersands(1 << 20, u'&');
  EXPECT_EQ(parseText(ampersands).events.front().size(),
            static_cast<std::size_t>(ampersands.size()) + 2);
  EXPECT_EQ(parseText(u'<' + QString(1 << 20, u'a')).result.status, Status::ElementMalformed);
}

}  // namespace
}  // namespace quelvo::swf::xml
