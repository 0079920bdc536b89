#include <cmath>
#include <limits>

#include "Avm1Fixtures.h"
#include "swf/avm1/NumberText.h"
#include "swf/avm1/Operators.h"

namespace quelvo::swf::avm1 {
namespace {

using test::VmRunner;

const double kNaN = std::nan("");
const double kInf = std::numeric_limits<double>::infinity();

TEST(Avm1ConversionTest, FormatsNumbersWithFifteenSignificantDigits) {
  const std::pair<double, const char*> cases[] = {
      {0, "0"},
      {-0.0, "0"},
      {-1.5, "-1.5"},
      {0.1 + 0.2, "0.3"},
      {1.0 / 3, "0.333333333333333"},
      {123456789012345, "123456789012345"},
      {1e15, "1e+15"},
      {1234567890123456789.0, "1.23456789012346e+18"},
      {0.00001, "0.00001"},
      {0.000001, "1e-6"},
      {-2.5e-7, "-2.5e-7"},
      {std::numeric_limits<double>::max(), "1.79769313486232e+308"},
      {kNaN, "NaN"},
      {kInf, "Infinity"},
      {-kInf, "-Infinity"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(formatNumber(value), QString::fromLatin1(text));
  EXPECT_EQ(formatNumberInRadix(255, 16), QStringLiteral("ff"));
  EXPECT_EQ(formatNumberInRadix(-255.7, 16), QStringLiteral("-ff"));
  EXPECT_EQ(formatNumberInRadix(5, 2), QStringLiteral("101"));
  EXPECT_EQ(formatNumberInRadix(35, 36), QStringLiteral("z"));
}

TEST(Avm1ConversionTest, ReadsWholeStringsAsNumbers) {
  const std::pair<const char*, double> cases[] = {
      {" 12 ", 12},    {"0x1F", 31},  {"-0x10", -16}, {"017", 15}, {"019", 19},
      {"1e3", 1000},   {".5", 0.5},   {"5.", 5},      {"+7", 7},   {"-0", -0.0},
      {"1e400", kInf}, {"1e-400", 0}, {"\t\n3", 3},
  };
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(parseNumber(QString::fromLatin1(text)), value) << text;
  }
  for (const char* text : {"", " ", "abc", "12abc", "1e", "0x", "0xG1", "Infinity", "1 2", "--1"}) {
    EXPECT_TRUE(std::isnan(parseNumber(QString::fromLatin1(text)))) << text;
  }
}

TEST(Avm1ConversionTest, ParseIntAndParseFloatReadPrefixes) {
  EXPECT_EQ(parseIntPrefix(u"12px", std::nullopt), 12);
  EXPECT_EQ(parseIntPrefix(u"0x1A", std::nullopt), 26);
  EXPECT_EQ(parseIntPrefix(u"010", std::nullopt), 8);
  EXPECT_EQ(parseIntPrefix(u"010", 10), 10);
  EXPECT_EQ(parseIntPrefix(u"ff", 16), 255);
  EXPECT_EQ(parseIntPrefix(u"  -7.9", std::nullopt), -7);
  EXPECT_TRUE(std::isnan(parseIntPrefix(u"", std::nullopt)));
  EXPECT_TRUE(std::isnan(parseIntPrefix(u"12", 1)));
  EXPECT_TRUE(std::isnan(parseIntPrefix(u"z", 10)));
  EXPECT_EQ(parseFloatPrefix(u"3.14abc"), 3.14);
  EXPECT_EQ(parseFloatPrefix(u"  -1e2x"), -100);
  EXPECT_EQ(parseFloatPrefix(u"7e"), 7);
  EXPECT_TRUE(std::isnan(parseFloatPrefix(u"e5")));
}

TEST(Avm1ConversionTest, IntegerConversionsWrapAroundLikeInt32) {
  EXPECT_EQ(toInt32(4294967295.0), -1);
  EXPECT_EQ(toInt32(2147483648.0), INT32_MIN);
  EXPECT_EQ(toInt32(-1.9), -1);
  EXPECT_EQ(toInt32(kNaN), 0);
  EXPECT_EQ(toInt32(kInf), 0);
  EXPECT_EQ(toUint32(-1), 4294967295u);
  EXPECT_EQ(toUint32(1e20), 1661992960u);
  EXPECT_EQ(toInteger(kNaN), 0);
  EXPECT_EQ(toInteger(-2.7), -2);
}

TEST(Avm1ConversionTest, UndefinedAndStringsConvertByMovieVersion) {
  VmRunner swf6(6);
  VmRunner swf7(7);
  EXPECT_EQ(swf6.vm.toNumber(Value()), 0);
  EXPECT_EQ(swf6.vm.toNumber(Value::null()), 0);
  EXPECT_TRUE(std::isnan(swf7.vm.toNumber(Value())));
  EXPECT_TRUE(std::isnan(swf7.vm.toNumber(Value::null())));
  EXPECT_EQ(swf6.vm.toString(Value()), QString());
  EXPECT_EQ(swf7.vm.toString(Value()), QStringLiteral("undefined"));

  // Before SWF 7 a string is true only when it reads as a non-zero number.
  for (const char* text : {"true", "0", "abc"}) {
    EXPECT_FALSE(swf6.vm.toBoolean(Value::string(QString::fromLatin1(text)))) << text;
    EXPECT_TRUE(swf7.vm.toBoolean(Value::string(QString::fromLatin1(text)))) << text;
  }
  EXPECT_TRUE(swf6.vm.toBoolean(Value::string(QStringLiteral("2"))));
  EXPECT_FALSE(swf7.vm.toBoolean(Value::string(QString())));
  EXPECT_FALSE(swf7.vm.toBoolean(Value::number(kNaN)));
  EXPECT_TRUE(swf7.vm.toBoolean(Value::object(swf7.vm.newObject())));
}

TEST(Avm1ConversionTest, ObjectsConvertThroughValueOfAndToString) {
  VmRunner runner;
  Vm& vm = runner.vm;
  Object* plain = vm.newObject();
  EXPECT_EQ(vm.toString(Value::object(plain)), QStringLiteral("[object Object]"));
  EXPECT_TRUE(std::isnan(vm.toNumber(Value::object(plain))));
  ArrayObject* array = vm.newArray({Value::number(1), Value::string(QStringLiteral("b"))});
  EXPECT_EQ(vm.toString(Value::object(array)), QStringLiteral("1,b"));
  EXPECT_EQ(vm.toString(Value::object(vm.newArray({Value::number(7)}))), QStringLiteral("7"));
  EXPECT_EQ(vm.toNumber(Value::object(vm.newArray({Value::number(7)}))), 7);
  EXPECT_EQ(vm.toString(Value::object(vm.clipObject(runner.host.root))), QStringLiteral("_level0"));
  EXPECT_EQ(vm.typeOf(Value::object(vm.clipObject(runner.host.root))), QStringLiteral("movieclip"));
  EXPECT_EQ(vm.typeOf(vm.getMember(Value::object(vm.global()), QStringLiteral("trace"))),
            QStringLiteral("function"));
  EXPECT_EQ(vm.typeOf(Value::null()), QStringLiteral("null"));
}

TEST(Avm1ConversionTest, AdditionConcatenatesWhenEitherSideIsAString) {
  VmRunner swf7(7);
  VmRunner swf6(6);
  const auto s = [](const char* text) { return Value::string(QString::fromUtf8(text)); };
  const auto n = [](double value) { return Value::number(value); };
  EXPECT_EQ(add(swf7.vm, n(1), s("2")).asString(), QStringLiteral("12"));
  EXPECT_EQ(add(swf7.vm, s("3"), n(4)).asString(), QStringLiteral("34"));
  EXPECT_EQ(add(swf7.vm, Value::boolean(true), n(1)).asNumber(), 2);
  EXPECT_EQ(add(swf7.vm, Value::null(), s("x")).asString(), QStringLiteral("nullx"));
  EXPECT_TRUE(std::isnan(add(swf7.vm, Value(), n(1)).asNumber()));
  EXPECT_EQ(add(swf6.vm, Value(), n(1)).asNumber(), 1);
  EXPECT_EQ(add(swf6.vm, s("a"), Value()).asString(), QStringLiteral("a"));
  EXPECT_EQ(add(swf7.vm, s("a"), Value()).asString(), QStringLiteral("aundefined"));
}

TEST(Avm1ConversionTest, EqualityAndOrderingTables) {
  VmRunner runner;
  Vm& vm = runner.vm;
  const auto s = [](const char* text) { return Value::string(QString::fromUtf8(text)); };
  const auto n = [](double value) { return Value::number(value); };
  const Value object = Value::object(vm.newObject());

  EXPECT_TRUE(looseEquals(vm, Value::null(), Value()));
  EXPECT_FALSE(looseEquals(vm, Value(), n(0)));
  EXPECT_FALSE(looseEquals(vm, Value::null(), s("")));
  EXPECT_TRUE(looseEquals(vm, s("1"), n(1)));
  EXPECT_TRUE(looseEquals(vm, s("0x10"), n(16)));
  EXPECT_FALSE(looseEquals(vm, s(""), n(0)));  // "" reads as NaN
  EXPECT_TRUE(looseEquals(vm, Value::boolean(true), s("1")));
  EXPECT_FALSE(looseEquals(vm, n(kNaN), n(kNaN)));
  EXPECT_TRUE(looseEquals(vm, object, object));
  EXPECT_TRUE(looseEquals(vm, object, s("[object Object]")));
  EXPECT_FALSE(looseEquals(vm, object, Value::object(vm.newObject())));

  EXPECT_TRUE(strictEquals(n(1), n(1)));
  EXPECT_FALSE(strictEquals(n(1), s("1")));
  EXPECT_FALSE(strictEquals(Value::null(), Value()));
  EXPECT_FALSE(strictEquals(n(kNaN), n(kNaN)));

  EXPECT_EQ(lessThan(vm, s("10"), s("9")), true);  // strings compare as text
  EXPECT_EQ(lessThan(vm, n(10), s("9")), false);
  EXPECT_EQ(lessThan(vm, s("a"), s("b")), true);
  EXPECT_EQ(lessThan(vm, s("B"), s("a")), true);  // code units: upper case first
  EXPECT_EQ(lessThan(vm, n(1), s("x")), std::nullopt);
  EXPECT_EQ(lessThan(vm, n(kNaN), n(1)), std::nullopt);
}

}  // namespace
}  // namespace quelvo::swf::avm1
