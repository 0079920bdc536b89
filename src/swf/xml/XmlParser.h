#pragma once

#include <QString>
#include <QStringView>
#include <cstddef>
#include <vector>

namespace quelvo::swf::xml {

// What parsing a document came to, with the numbers scripts see in XML.status.
enum class Status : int {
  Ok = 0,
  CdataUnterminated = -2,
  DeclarationUnterminated = -3,
  DoctypeUnterminated = -4,
  CommentUnterminated = -5,
  ElementMalformed = -6,
  OutOfMemory = -7,  // also: past the parser's limits on nodes or nesting
  AttributeUnterminated = -8,
  StartTagUnmatched = -9,
  EndTagUnmatched = -10,
};

struct Attribute {
  QString name;
  QString value;  // entities decoded
};

// Receives the document as it is read: elements open and close in order,
// text (with entities decoded, CDATA as written) comes between.
class Sink {
 public:
  virtual ~Sink() = default;
  virtual void startElement(const QString& name, std::vector<Attribute> attributes) = 0;
  virtual void endElement() = 0;
  virtual void text(const QString& value) = 0;
};

struct Result {
  Status status = Status::Ok;
  QString xmlDecl;      // "<?xml ... ?>" as written, when there is one
  QString docTypeDecl;  // "<!DOCTYPE ... >" as written
};

// Elements nested deeper, or nodes past the count, end parsing with OutOfMemory.
inline constexpr std::size_t kMaxDepth = 512;
inline constexpr std::size_t kMaxNodes = 200000;

// Reads source in one pass without recursion. Comments and processing
// instructions other than the declaration are skipped; with ignoreWhite,
// text of white space only is too. At the first error parsing stops: the
// sink keeps what it received and the status says what went wrong.
Result parse(QStringView source, bool ignoreWhite, Sink& sink);

}  // namespace quelvo::swf::xml
