// Entry points for loads the host serves: data files, clips a
// MovieClipLoader loads, and variables loaded into a clip.
#include <QStringDecoder>
#include <vector>

#include "swf/avm1/UrlEncoding.h"
#include "swf/avm1/Vm.h"

namespace quelvo::swf::avm1 {

namespace {

// A loaded text file: UTF-8, or UTF-16 with its byte order mark; movies
// before SWF 6 read it in the system's code page.
QString loadedText(const QByteArray& data, int swfVersion) {
  const auto fromBom = QStringConverter::encodingForData(data);
  if (fromBom) {
    QStringDecoder decoder(*fromBom);
    QString text = decoder(data);
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    return text;
  }
  return swfVersion >= 6 ? QString::fromUtf8(data) : QString::fromLocal8Bit(data);
}

QString eventName(ClipLoadNews::Kind kind) {
  switch (kind) {
    case ClipLoadNews::Kind::Start:
      return QStringLiteral("onLoadStart");
    case ClipLoadNews::Kind::Progress:
      return QStringLiteral("onLoadProgress");
    case ClipLoadNews::Kind::Complete:
      return QStringLiteral("onLoadComplete");
    case ClipLoadNews::Kind::Init:
      return QStringLiteral("onLoadInit");
    case ClipLoadNews::Kind::Error:
      return QStringLiteral("onLoadError");
  }
  return {};
}

}  // namespace

void Vm::runDataLoads() {
  // Loads the handlers start wait for the next call.
  for (std::size_t due = loadEvents_.pendingData(); due > 0; --due) {
    const auto load = loadEvents_.takeDataLoad();
    if (!load) return;
    const auto data = host_.readData(load->url);
    guardedEntry("onData", [&] {
      const Value target = Value::object(load->target);
      Value text;
      if (data) {
        reserveString(data->size());
        text = Value::string(loadedText(*data, swfVersion_));
        const Value size = Value::number(static_cast<double>(data->size()));
        defineValue(load->target, LoadEvents::bytesLoadedName(), size);
        defineValue(load->target, LoadEvents::bytesTotalName(), size);
      }
      const Value argument[] = {text};
      callMethod(target, QStringLiteral("onData"), argument);
    });
  }
}

void Vm::clipLoadEvent(std::uint64_t loadId, const ClipLoadNews& news) {
  Object* loader = loadEvents_.clipLoader(loadId);
  if (loader == nullptr) return;
  // One entry for every listener, so nothing is collected between them; an
  // exception one of them throws does not keep the others from hearing.
  guardedEntry("MovieClipLoader", [&] {
    std::vector<Value> listeners;
    if (const ArrayObject* list = asArray(getMember(Value::object(loader), listenersName()))) {
      listeners = list->elements;
    }
    ClipObject* target = clipObject(news.target);
    std::vector<Value> args{target != nullptr ? Value::object(target) : Value()};
    switch (news.kind) {
      case ClipLoadNews::Kind::Progress:
        args.push_back(Value::number(news.bytesLoaded));
        args.push_back(Value::number(news.bytesTotal));
        break;
      case ClipLoadNews::Kind::Error:
        args.push_back(Value::string(news.error));
        args.push_back(Value::number(0));  // no HTTP status for a local file
        break;
      case ClipLoadNews::Kind::Complete:
        args.push_back(Value::number(0));
        break;
      default:
        break;
    }
    for (const Value& listener : listeners) {
      try {
        callMethod(listener, eventName(news.kind), args);
      } catch (const ScriptThrow& thrown) {
        log(QStringLiteral("MovieClipLoader: uncaught exception %1").arg(describe(thrown.value)));
      }
    }
  });
  if (news.kind == ClipLoadNews::Kind::Init || news.kind == ClipLoadNews::Kind::Error) {
    loadEvents_.endClipLoad(loadId);
  }
}

void Vm::loadVariablesInto(ClipHandle clip, const QByteArray& data) {
  guardedEntry("loadVariables", [&] {
    ClipObject* object = clipObject(clip);
    if (object == nullptr) return;
    reserveString(data.size());
    for (const auto& [name, value] : decodeVariables(loadedText(data, swfVersion_), swfVersion_)) {
      setMember(object, name, Value::string(value));
    }
  });
}

}  // namespace quelvo::swf::avm1
