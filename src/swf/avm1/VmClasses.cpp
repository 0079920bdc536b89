// Classes registered for library symbols (Object.registerClass).
#include "swf/avm1/Vm.h"

namespace quelvo::swf::avm1 {

void Vm::registerClass(int character, Object* constructor) {
  if (character < 0) return;
  if (constructor == nullptr) {
    classes_.erase(character);
  } else {
    classes_[character] = constructor;
  }
}

bool Vm::initializeClip(ClipHandle clip) {
  ClipObject* object = clipObject(clip);
  if (object == nullptr) return false;
  if (object->constructed) return true;
  if (classes_.empty()) return false;
  const auto found = classes_.find(host_.characterOf(clip));
  if (found == classes_.end()) return false;
  object->constructed = true;
  const Value constructor = Value::object(found->second);
  Object* proto = getMember(constructor, QStringLiteral("prototype")).objectOrNull();
  if (proto != nullptr) object->setProto(proto);
  defineValue(object, QStringLiteral("__constructor__"), constructor);
  if (swfVersion_ < 6) defineValue(object, QStringLiteral("constructor"), constructor);
  invoke(constructor, Value::object(object), {}, proto, true);
  return true;
}

}  // namespace quelvo::swf::avm1
