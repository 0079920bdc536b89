#include "swf/avm1/Vm.h"
#include "swf/base/Log.h"

namespace quelvo::swf::avm1 {

namespace {

constexpr int kMaxChain = 256;

}  // namespace

// The name a message gives the receiver of a call: the built-in class it
// belongs to, or the global name a built-in object or constructor has.
QString Vm::className(const Value& target) {
  Object* object = target.objectOrNull();
  if (object == nullptr) return typeOf(target);
  if (object->kind() == ObjectKind::Clip) return QStringLiteral("MovieClip");
  for (const Property& property : global_->properties().entries()) {
    if (property.value.objectOrNull() == object) return property.name;
  }
  const std::pair<Object*, const char*> classes[] = {
      {protos_.movieClip, "MovieClip"}, {protos_.array, "Array"},       {protos_.string, "String"},
      {protos_.number, "Number"},       {protos_.boolean, "Boolean"},   {protos_.date, "Date"},
      {protos_.error, "Error"},         {protos_.function, "Function"}, {protos_.object, "Object"},
  };
  int hops = 0;
  for (Object* link = object->proto(); link != nullptr && hops < kMaxChain;
       link = link->proto(), ++hops) {
    for (const auto& [proto, name] : classes) {
      if (link == proto) return QString::fromLatin1(name);
    }
  }
  return QStringLiteral("Object");
}

void Vm::noteMissingMethod(const Value& target, const QString& name) {
  if (!movielog::enabled()) return;
  movielog::count(movielog::Kind::Missing,
                  QStringLiteral("method %1.%2").arg(className(target), name));
}

}  // namespace quelvo::swf::avm1
