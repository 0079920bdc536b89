#pragma once

#include <QString>
#include <QStringView>

#include "swf/avm1/Vm.h"
#include "swf/avm1/XmlNodeObject.h"
#include "swf/xml/XmlParser.h"

namespace quelvo::swf::avm1 {

// XML trees as script objects: made, parsed into, written out and copied.
// None of these recurses, so trees of any depth are safe.

// An element named by text, or a text node holding it, with XMLNode.prototype.
XmlNodeObject* newXmlNode(Vm& vm, int nodeType, const Value& text);

// Replaces the document's children with the tree parsed from source.
xml::Result parseIntoDocument(Vm& vm, XmlNodeObject& document, QStringView source,
                              bool ignoreWhite);

// The node as markup; a document starts with its xmlDecl and docTypeDecl.
QString xmlMarkup(Vm& vm, XmlNodeObject& node);

// A copy of the node, with copies of everything below it when deep.
XmlNodeObject* cloneXmlNode(Vm& vm, XmlNodeObject& node, bool deep);

}  // namespace quelvo::swf::avm1
