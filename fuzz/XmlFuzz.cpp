// The XML reader's fuzz work: the input, as UTF-8 text, is read with and
// without ignoreWhite, built into script objects, written out, copied, and
// the written markup read again.

#include <cstddef>
#include <cstdint>

#include "FuzzEntries.h"
#include "swf/avm1/NullHost.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/XmlTree.h"
#include "swf/xml/XmlParser.h"

namespace {

using namespace quelvo::swf;

class CountingSink final : public xml::Sink {
 public:
  void startElement(const QString& name, std::vector<xml::Attribute> attributes) override {
    count += static_cast<std::size_t>(name.size()) + attributes.size();
  }
  void endElement() override { ++count; }
  void text(const QString& value) override { count += static_cast<std::size_t>(value.size()); }

  std::size_t count = 0;
};

avm1::Limits smallLimits() {
  avm1::Limits limits;
  limits.stringLength = 1 << 20;
  limits.objects = 100'000;
  return limits;
}

}  // namespace

namespace quelvo::fuzz {

void fuzzXml(std::span<const std::uint8_t> input) {
  const QString source = QString::fromUtf8(reinterpret_cast<const char*>(input.data()),
                                           static_cast<qsizetype>(input.size()));
  CountingSink sink;
  for (const bool ignoreWhite : {false, true}) xml::parse(source, ignoreWhite, sink);

  avm1::NullHost host;
  avm1::Vm vm(host, 8, smallLimits(), [](const QString&) {});
  try {
    auto* document = avm1::newXmlNode(vm, avm1::XmlNodeObject::kElement, avm1::Value::null());
    avm1::parseIntoDocument(vm, *document, source, false);
    const QString markup = avm1::xmlMarkup(vm, *document);
    avm1::XmlNodeObject* copy = avm1::cloneXmlNode(vm, *document, true);
    avm1::parseIntoDocument(vm, *copy, markup, true);
  } catch (const avm1::ScriptAbort&) {
    // A limit was reached: the document was too large for the small limits.
  }
  vm.collectGarbage();
}

}  // namespace quelvo::fuzz
