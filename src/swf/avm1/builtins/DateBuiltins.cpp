#include <QDateTime>
#include <cmath>

#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/NativeSupport.h"

namespace quelvo::swf::avm1 {

namespace {

// Years QDate handles comfortably; beyond them a date is NaN.
constexpr double kMaxYear = 275000;

double thisTime(NativeCall& call) {
  const Object* self = call.thisObject();
  if (self == nullptr || self->kind() != ObjectKind::Date) return std::nan("");
  return static_cast<const PrimitiveObject*>(self)->primitive.asNumber();
}

QDateTime dateTimeOf(double ms, bool utc) {
  const QDateTime when = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(ms), Qt::UTC);
  return utc ? when : when.toLocalTime();
}

// Milliseconds of year, month (0-based), day... in local time or UTC.
double timeOf(NativeCall& call, bool utc) {
  double parts[7] = {0, 0, 1, 0, 0, 0, 0};
  for (std::size_t i = 0; i < 7 && i < call.args.size(); ++i) {
    parts[i] = std::trunc(numberArg(call, i));
    if (!std::isfinite(parts[i])) return std::nan("");
  }
  double year = parts[0];
  if (year >= 0 && year <= 99) year += 1900;
  if (std::fabs(year) > kMaxYear || std::fabs(parts[1]) > 12 * kMaxYear ||
      std::fabs(parts[2]) > 366 * kMaxYear) {
    return std::nan("");
  }
  const QDate date = QDate(static_cast<int>(year), 1, 1)
                         .addMonths(static_cast<int>(parts[1]))
                         .addDays(static_cast<qint64>(parts[2]) - 1);
  const QDateTime midnight =
      utc ? QDateTime(date, QTime(0, 0), Qt::UTC) : QDateTime(date, QTime(0, 0));
  return static_cast<double>(midnight.toMSecsSinceEpoch()) + parts[3] * 3600000 + parts[4] * 60000 +
         parts[5] * 1000 + parts[6];
}

// "Tue Feb 1 00:00:00 GMT+0800 2005", in local time.
QString formatDate(double time) {
  if (std::isnan(time)) return QStringLiteral("Invalid Date");
  static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const QDateTime when = dateTimeOf(time, false);
  const int offset = when.offsetFromUtc() / 60;
  return QStringLiteral("%1 %2 %3 %4 GMT%5%6%7 %8")
      .arg(QLatin1String(kDays[when.date().dayOfWeek() % 7]),
           QLatin1String(kMonths[when.date().month() - 1]))
      .arg(when.date().day())
      .arg(when.time().toString(QStringLiteral("HH:mm:ss")))
      .arg(offset < 0 ? u'-' : u'+')
      .arg(std::abs(offset) / 60, 2, 10, QLatin1Char('0'))
      .arg(std::abs(offset) % 60, 2, 10, QLatin1Char('0'))
      .arg(when.date().year());
}

Value dateConstructor(NativeCall& call) {
  const double now = std::floor(call.vm.host().epochMs());
  if (!call.constructing || call.thisObject() == nullptr) {
    return Value::string(formatDate(now));
  }
  double time = now;
  if (call.args.size() == 1) {
    time = numberArg(call, 0);
  } else if (call.args.size() > 1) {
    time = timeOf(call, false);
  }
  return Value::object(call.vm.heap().make<PrimitiveObject>(call.thisObject()->proto(),
                                                            ObjectKind::Date, Value::number(time)));
}

Value dateUtc(NativeCall& call) { return Value::number(timeOf(call, true)); }

Value getTime(NativeCall& call) { return Value::number(thisTime(call)); }

Value setTime(NativeCall& call) {
  Object* self = call.thisObject();
  if (self == nullptr || self->kind() != ObjectKind::Date) return {};
  const double time = numberArg(call, 0);
  static_cast<PrimitiveObject*>(self)->primitive = Value::number(time);
  return Value::number(time);
}

enum class Field { FullYear, Year, Month, Date, Day, Hours, Minutes, Seconds, Milliseconds };

template <Field F, bool Utc>
Value getField(NativeCall& call) {
  const double time = thisTime(call);
  if (std::isnan(time)) return Value::number(time);
  const QDateTime when = dateTimeOf(time, Utc);
  const QDate date = when.date();
  const QTime clock = when.time();
  switch (F) {
    case Field::FullYear:
      return Value::number(date.year());
    case Field::Year:
      return Value::number(date.year() - 1900);
    case Field::Month:
      return Value::number(date.month() - 1);
    case Field::Date:
      return Value::number(date.day());
    case Field::Day:
      return Value::number(date.dayOfWeek() % 7);
    case Field::Hours:
      return Value::number(clock.hour());
    case Field::Minutes:
      return Value::number(clock.minute());
    case Field::Seconds:
      return Value::number(clock.second());
    case Field::Milliseconds:
      return Value::number(clock.msec());
  }
  return {};
}

Value getTimezoneOffset(NativeCall& call) {
  const double time = thisTime(call);
  if (std::isnan(time)) return Value::number(time);
  return Value::number(-dateTimeOf(time, false).offsetFromUtc() / 60);
}

Value dateToString(NativeCall& call) { return Value::string(formatDate(thisTime(call))); }

}  // namespace

void installDate(Vm& vm) {
  Object* proto = vm.newObject();
  vm.protos().date = proto;
  NativeFunction* constructor = defineClass(vm, QStringLiteral("Date"), dateConstructor, proto);
  vm.defineMethod(constructor, QStringLiteral("UTC"), dateUtc);
  const std::pair<const char*, NativeFn> methods[] = {
      {"getTime", getTime},
      {"valueOf", getTime},
      {"setTime", setTime},
      {"toString", dateToString},
      {"getTimezoneOffset", getTimezoneOffset},
      {"getFullYear", getField<Field::FullYear, false>},
      {"getYear", getField<Field::Year, false>},
      {"getMonth", getField<Field::Month, false>},
      {"getDate", getField<Field::Date, false>},
      {"getDay", getField<Field::Day, false>},
      {"getHours", getField<Field::Hours, false>},
      {"getMinutes", getField<Field::Minutes, false>},
      {"getSeconds", getField<Field::Seconds, false>},
      {"getMilliseconds", getField<Field::Milliseconds, false>},
      {"getUTCFullYear", getField<Field::FullYear, true>},
      {"getUTCMonth", getField<Field::Month, true>},
      {"getUTCDate", getField<Field::Date, true>},
      {"getUTCDay", getField<Field::Day, true>},
      {"getUTCHours", getField<Field::Hours, true>},
      {"getUTCMinutes", getField<Field::Minutes, true>},
      {"getUTCSeconds", getField<Field::Seconds, true>},
      {"getUTCMilliseconds", getField<Field::Milliseconds, true>},
  };
  for (const auto& [name, fn] : methods) vm.defineMethod(proto, QString::fromLatin1(name), fn);
}

}  // namespace quelvo::swf::avm1
