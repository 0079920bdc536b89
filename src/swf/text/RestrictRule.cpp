#include "swf/text/RestrictRule.h"

namespace quelvo::swf {

namespace {

bool allows(const QString& rule, QChar c) {
  bool allowed = rule.startsWith(u'^');
  bool including = true;
  for (qsizetype i = 0; i < rule.size(); ++i) {
    QChar first = rule[i];
    if (first == u'^') {
      including = !including;
      continue;
    }
    if (first == u'\\' && i + 1 < rule.size()) first = rule[++i];
    QChar last = first;
    if (i + 2 < rule.size() && rule[i + 1] == u'-') {
      i += 2;
      last = rule[i];
      if (last == u'\\' && i + 1 < rule.size()) last = rule[++i];
    }
    if (c >= first && c <= last) allowed = including;
  }
  return allowed;
}

}  // namespace

std::optional<QChar> restrictedCharacter(const QString& rule, QChar typed) {
  if (allows(rule, typed)) return typed;
  for (const QChar other : {typed.toUpper(), typed.toLower()}) {
    if (other != typed && allows(rule, other)) return other;
  }
  return std::nullopt;
}

}  // namespace quelvo::swf
