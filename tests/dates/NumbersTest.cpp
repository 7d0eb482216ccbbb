#include <climits>
#include <string>

#include <gtest/gtest.h>

#include "dates/ConvertError.h"
#include "dates/DateLocale.h"
#include "dates/ErrorText.h"
#include "dates/Numbers.h"
#include "platform/Services.h"

namespace dorvane {
namespace {

TEST(ParseWholeNumber, AcceptsTheGrammar) {
  const struct {
    const char* text;
    std::int32_t value;
  } cases[] = {
      {"0", 0},
      {"12", 12},
      {" 12", 12},
      {"   -5", -5},
      {"+7", 7},
      {"-0", 0},
      {"007", 7},
      {"00000000000000000012", 12},
      {"2147483647", INT_MAX},
      {"+2147483647", INT_MAX},
      {"-2147483648", INT_MIN},
      {"-0000002147483648", INT_MIN},
      {"$1F", 31},
      {"$1f", 31},
      {"x1f", 31},
      {"X1F", 31},
      {"0x10", 16},
      {"0XaB", 171},
      {"-$10", -16},
      {" +0x7FFFFFFF", INT_MAX},
      {"$FFFFFFFF", -1},
      {"$80000000", INT_MIN},
      {"-$FFFFFFFF", 1},
      {"-$80000000", INT_MIN},
      {"$0000000000001", 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseWholeNumber(c.text), c.value) << "'" << c.text << "'";
  }
}

TEST(ParseWholeNumber, RefusesEverythingElseWithTheTextInTheMessage) {
  const std::string refused[] = {
      "",           " ",          "-",           "+",           "12a",
      "1 2",        "12 ",        "- 5",         "+-5",         "--5",
      "$",          "0x",         "x",           "-0x",         "$1G",
      "$100000000", "0x-5",       "$ 1",         "1.5",         "1e3",
      "\t12",       "2147483648", "+2147483648", "-2147483649", "99999999999999999999",
      "0x1 ",       "١٢",         "12\n",
  };
  for (const std::string& text : refused) {
    try {
      const std::int32_t value = ParseWholeNumber(text);
      ADD_FAILURE() << "'" << text << "' was read as " << value;
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + text + "' n'est pas une valeur entière correcte");
    }
    EXPECT_FALSE(TryParseWholeNumber(text).has_value()) << "'" << text << "'";
  }
}

TEST(ErrorBoxText, AddsAFullStopAfterCharactersBeyondIt) {
  const struct {
    const char* message;
    const char* shown;
  } cases[] = {
      {"", ""},
      {"Argument incorrect pour l'encodage de date", "Argument incorrect pour l'encodage de date."},
      {"Fini.", "Fini."},
      {"Fini!", "Fini!"},
      {"(x)", "(x)"},
      {"fin ", "fin "},
      {"dit '", "dit '"},
      {"a-", "a-"},
      {"a/", "a/."},
      {"5", "5."},
      {"à la ligne\n", "à la ligne\n"},
      {"café", "café."},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorBoxText(c.message), c.shown) << c.message;
}

TEST(NumberText, WholeNumbersArePlainDigits) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {366, "366"},
      {0, "0"},
      {-0.0, "0"},
      {-5, "-5"},
      {999999999999999.0, "999999999999999"},
      {-999999999999999.0, "-999999999999999"},
  };
  for (const auto& c : cases) EXPECT_EQ(NumberText(c.value), c.text) << c.value;
}

TEST(NumberText, OtherNumbersUseTheDecimalSeparatorAndAnExponent) {
  EXPECT_EQ(NumberText(1.5), "1.5");
  EXPECT_EQ(NumberText(1e15), "1E+15");
  EXPECT_EQ(NumberText(0.1 + 0.2), "0.3");
  EXPECT_EQ(NumberText(1.0 / 3), "0.333333333333333");
  DateLocale comma;
  comma.DecimalSep = U',';
  const platform::ServicesScope services({.locale = &comma});
  EXPECT_EQ(NumberText(0.25), "0,25");
  EXPECT_EQ(NumberText(-2.5e-7), "-2,5E-07");
}

TEST(AsciiUpper, RaisesOnlyTheAsciiLetters) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string raised = AsciiUpper(all);
  ASSERT_EQ(raised.size(), all.size());
  for (int b = 0; b < 256; ++b) {
    const int expected = (b >= 'a' && b <= 'z') ? b - 0x20 : b;
    EXPECT_EQ(static_cast<unsigned char>(raised[static_cast<std::size_t>(b)]), expected);
  }
}

}  // namespace
}  // namespace dorvane
