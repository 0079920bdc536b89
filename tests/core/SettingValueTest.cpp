#include <gtest/gtest.h>

#include <limits>

#include "core/settings/SettingValue.h"

namespace quelvo::core {
namespace {

TEST(SettingValueTest, NumericValueTakesTheLongestNumericPrefix) {
  const std::pair<const char*, double> cases[] = {
      {"1.0", 1},       {"12abc", 12}, {"yes", 0},    {"", 0},         {" 7", 7},
      {"\t-2.5", -2.5}, {"+3", 3},     {"1e3", 1000}, {"1E-2x", 0.01}, {"1e", 1},
      {"2e+", 2},       {".5", 0.5},   {"5.", 5},     {".", 0},        {"-", 0},
      {"1,5", 1},       {"0x10", 0},   {"1 2", 1},    {"00012", 12},   {"1e-999", 0},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_DOUBLE_EQ(numericValue(QString::fromLatin1(text)), expected) << text;
  }
  EXPECT_EQ(numericValue(u"1e999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(numericValue(u"-1e999"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(numericValue(QString(400, u'9')), std::numeric_limits<double>::infinity());
  EXPECT_EQ(numericValue(QStringLiteral("0.") + QString(400, u'0') + QStringLiteral("1")), 0.0);
}

TEST(SettingValueTest, SwitchesAndFlags) {
  for (const char* on : {"1", "1.0", " 1", "1x"})
    EXPECT_TRUE(isSwitchOn(QString::fromLatin1(on))) << on;
  for (const char* off : {"", "0", "2", "yes", "True"}) {
    EXPECT_FALSE(isSwitchOn(QString::fromLatin1(off))) << off;
  }
  EXPECT_TRUE(isExactlyOne(u"1") && !isExactlyOne(u"1.0") && !isExactlyOne(u" 1"));
  EXPECT_FALSE(savesOnExit(u"False"));
  for (const char* save : {"false", "FALSE", "", "0", "True", "False "}) {
    EXPECT_TRUE(savesOnExit(QString::fromLatin1(save))) << save;
  }
}

TEST(SettingValueTest, ToBooleanAcceptsWordsAndWholeNumbersOnly) {
  const std::pair<const char*, std::optional<bool>> cases[] = {
      {"True", true},        {"tRUE", true},          {"false", false},   {" False\t", false},
      {"0", false},          {"-0.0", false},         {"1", true},        {"-2.5", true},
      {" 3 ", true},         {"1e3", true},           {"", std::nullopt}, {"1abc", std::nullopt},
      {"yes", std::nullopt}, {"Truex", std::nullopt},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(toBoolean(QString::fromLatin1(text)), expected) << text;
  }
}

TEST(SettingValueTest, GeometryFloorsAndClamps) {
  EXPECT_EQ(geometryValue(u"4915.9"), 4915);
  EXPECT_EQ(geometryValue(u"-0.5"), -1);
  EXPECT_EQ(geometryValue(u"abc"), 0);
  EXPECT_EQ(geometryValue(u"1e300"), 1'000'000'000);
  EXPECT_EQ(geometryValue(u"-1e999"), -1'000'000'000);
}

TEST(SettingValueTest, CountRoundsHalvesToEvenAndClampsTo16Bits) {
  const std::pair<const char*, qint16> cases[] = {
      {"2.5", 2},           {"3.5", 4},       {"-0.5", 0},        {"-1.5", -2},
      {"2.4", 2},           {"2.6", 3},       {"7", 7},           {"", 0},
      {"32767.4", 32767},   {"40000", 32767}, {"-99999", -32768}, {"1e999", 32767},
      {"-32768.5", -32768},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(countValue(QString::fromLatin1(text)), expected) << text;
  }
}

TEST(SettingValueTest, FormatsPlainDecimalsAndBooleanWords) {
  EXPECT_EQ(formatNumber(9000), u"9000");
  EXPECT_EQ(formatNumber(4915.2), u"4915.2");
  EXPECT_EQ(formatNumber(0.1 + 0.2), u"0.3");
  EXPECT_EQ(formatNumber(-0.0), u"0");
  EXPECT_EQ(formatNumber(std::numeric_limits<double>::quiet_NaN()), u"0");
  EXPECT_DOUBLE_EQ(numericValue(formatNumber(1e20)), 1e20);
  EXPECT_EQ(formatBoolean(true), u"True");
  EXPECT_EQ(formatBoolean(false), u"False");
}

}  // namespace
}  // namespace quelvo::core
