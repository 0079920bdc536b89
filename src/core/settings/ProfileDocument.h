#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringView>
#include <cstddef>
#include <optional>
#include <vector>

#include "platform/TextEncoding.h"

namespace quelvo::core {

// A profile file ("[section]" lines, each followed by "key=value" lines) held in memory.
//
// Section and key names match without regard to letter case and to the spaces and tabs around
// them. The first section of a name is the one read and changed (a key only in a later duplicate
// section is not seen), and within it the first line of a key.
//
// Lines that are not changed keep their bytes exactly, line ends included; lines written here end
// with CR LF. Every byte sequence parses: whatever is not a section or key line is kept as it is.
//
// A file with more section and key lines than kMaxIndexedLines is damaged or hostile: the lines
// beyond that are kept but not seen, which bounds the time and memory parsing takes.
//
// Encoding: a file with non-ASCII bytes keeps the codec detected for it (UTF-8 or GB18030), so new
// lines match the old ones. An all-ASCII or new document writes in the system code page and keeps
// whatever that turns out to be.
class ProfileDocument {
 public:
  // Eight times the largest catalog.
  static constexpr qsizetype kMaxIndexedLines = 262144;

  static ProfileDocument fromBytes(const QByteArray& bytes);
  QByteArray toBytes() const;

  // The value as a read returns it (see readProfileValue); the empty text when the section or the
  // key is missing.
  QString read(const QString& section, const QString& key) const;
  // As read, but never cut to the read buffer: catalog lines hold full paths.
  QString readWhole(const QString& section, const QString& key) const;
  bool hasKey(const QString& section, const QString& key) const;

  // Replaces the value of an existing key in place (its spelling kept), or appends the key to the
  // end of the section before the blank lines that trail it, or appends a new section to the end
  // of the document. Returns false, changing nothing, when the text cannot be stored as one line:
  // a line break anywhere, or a key name that is empty, contains '=' or starts with ';' or '['.
  bool set(const QString& section, const QString& key, const QString& value);

  // Removes every line of the key from the section.
  void removeKey(const QString& section, const QString& key);
  // Removes every section of the name with all its lines.
  void removeSection(const QString& section);

 private:
  // One key line, or a run of lines that are not key lines, with their line ends.
  struct Entry {
    QByteArray bytes;
    QString key;  // folded key name; empty for a run of other lines
  };
  struct Section {
    QString name;       // folded; empty for the lines before the first section header
    QByteArray header;  // the "[name]" line; empty for the lines before the first header
    std::vector<Entry> entries;
    QByteArray trailingBlanks;         // blank lines ending the section: new keys go before them
    QHash<QString, std::size_t> keys;  // folded key name -> first entry of that key
  };

  void addLine(QByteArrayView content, QByteArrayView line, qsizetype& indexedLines);
  static void appendOtherLines(Section& section, QByteArrayView lines);
  std::optional<std::size_t> sectionPosition(QStringView name) const;
  const Entry* findEntry(const QString& section, const QString& key) const;
  Section& sectionForWriting(QStringView name);
  QByteArray encodeLine(const QString& text);
  platform::TextCodec readCodec() const;

  QByteArray bom_;
  // Unset while the document holds nothing but ASCII.
  std::optional<platform::TextCodec> codec_;
  std::vector<Section> sections_ = std::vector<Section>(1);  // [0]: the lines before any header
  QHash<QString, std::size_t> sectionIndex_;  // folded section name -> first section of the name
};

}  // namespace quelvo::core
