#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TempDir.h"

#include "cli/CommandLine.h"
#include "dates/DateLocale.h"
#include "dates/DateValue.h"
#include "platform/Clock.h"
#include "platform/Services.h"

namespace dorvane {
namespace {

struct Outcome {
  int status = 0;
  std::string out;
  std::string err;
};

class CommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override { SetDateLocale(DateLocale{}); }

  static Outcome Call(std::vector<std::string> args) {
    std::ostringstream out, err;
    const CommandLineOutcome outcome = RunCommandLine(args, out, err);
    EXPECT_FALSE(outcome.openWindow);
    return {outcome.exitStatus, out.str(), err.str()};
  }

  platform::FixedClock clock_{{2005, 3, 7, 14, 5, 9, 7}};
  platform::ServicesScope services_{{.clock = &clock_}};
};

TEST_F(CommandLineTest, PrintWritesTheCaptionsOfADate) {
  const Outcome run = Call({"--print", "2000-01-06"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "JANVIER 2000\n"
            "Janvier 6, 2000 - 5 ème jour de la semaine.\n"
            "6 ème jour\n"
            "Lune : 1° jour  (nouvelle lune)\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(Call({"--print"}).out, CaptionLines(MakeDate(2005, 3, 7)));  // today
}

TEST_F(CommandLineTest, MonthWritesTheGridOfTheMonth) {
  const Outcome run = Call({"--month", "2005-03-07"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "  Lun  Mar  Mer  Jeu  Ven  Sam  Dim\n"
            "         1    2    3    4    5    6\n"
            "  [7]    8    9   10   11   12   13\n"
            "   14   15   16   17   18   19   20\n"
            "   21   22   23   24   25   26   27\n"
            "   28   29   30   31               \n"
            "                                   \n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(Call({"--month"}).out, run.out);  // today is 7 March 2005
}

// December 2008 ends in week 1 of 2009; a row without days has a blank week field.
TEST_F(CommandLineTest, MonthWithWeeksPrefixesTheIsoWeekNumbers) {
  const char* grid =
      "Sem.  Lun  Mar  Mer  Jeu  Ven  Sam  Dim\n"
      "  49    1    2    3    4    5    6    7\n"
      "  50    8    9   10   11   12   13   14\n"
      "  51   15   16   17   18   19   20   21\n"
      "  52   22   23   24 [25]   26   27   28\n"
      "   1   29   30   31                    \n"
      "                                       \n";
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--month", "--weeks", "2008-12-25"},
        {"--month", "2008-12-25", "--weeks"},
        {"--weeks", "--month", "2008-12-25"}})
    EXPECT_EQ(Call(args).out, grid) << args[0] << args[1];
  // January 2005 opens in week 53 of 2004; today is 7 March 2005.
  EXPECT_EQ(Call({"--month", "--weeks", "2005-01-01"}).out.substr(40, 40),
            "  53" + std::string(25, ' ') + "  [1]    2\n");
  EXPECT_EQ(Call({"--month", "--weeks"}).out, Call({"--month", "--weeks", "2005-03-07"}).out);
}

// The year's list is the holidays' test; here its lines' form, in date order.
TEST_F(CommandLineTest, HolidaysWritesOneHolidayALine) {
  const Outcome run = Call({"--holidays", "2005"});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(run.out.starts_with("2005-01-01 Jour de l'an\n2005-03-28 Lundi de Pâques\n"));
  EXPECT_TRUE(run.out.ends_with("\n2005-12-25 Noël\n"));
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 11);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(Call({"--holidays"}).out, run.out);  // this year is 2005
}

// The moment's forms and bounds; the patterns' rules are the formatter's test.
TEST_F(CommandLineTest, FormatWritesThePatternOfAMoment) {
  const struct {
    std::vector<std::string> args;
    const char* out;
  } cases[] = {
      {{"--format", "dd/mm/yyyy hh:nn:ss.zzz"}, "07/03/2005 14:05:09.007\n"},
      {{"--format", "dddddd", "2005-03-01"}, "Mars 1, 2005\n"},
      {{"--format", "hh:mm:ss.zzz", "9999-12-31T23:59:59.999"}, "23:59:59.999\n"},
      {{"--format", "", "0001-01-01T00:00:00.000"}, "1/1/01\n"},
      {{"--format", "dd/mm/yyyy hh:nn:ss", "1800-06-15T00:00:01"}, "15/06/1800 00:00:01\n"},
  };
  for (const auto& c : cases) {
    const Outcome run = Call(c.args);
    EXPECT_EQ(run.status, 0) << c.args[1];
    EXPECT_EQ(run.out, c.out) << c.args[1];
    EXPECT_EQ(run.err, "") << c.args[1];
  }
}

TEST_F(CommandLineTest, HelpAndVersion) {
  const Outcome help = Call({"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* option :
       {"--print", "--month", "--weeks", "--holidays", "--format", "--help", "--version"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
  const Outcome version = Call({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("Dorvane ", 0), 0u);
}

TEST_F(CommandLineTest, BadInputWritesOneLineToErrorsOnly) {
  const struct {
    std::vector<std::string> args;
    const char* err;
  } cases[] = {
      {{"--print", "2005-02-29"}, "Argument incorrect pour l'encodage de date.\n"},
      {{"--format", "d", "2005-13-01T00:00:00"}, "Argument incorrect pour l'encodage de date.\n"},
      {{"--format", "d", "2005-03-01T24:00:00"},
       "Argument incorrect pour l'encodage de l'heure.\n"},
      {{"--print", "2005-3-1"}, "Date mal formée : « 2005-3-1 » (forme attendue : AAAA-MM-JJ).\n"},
      {{"--print", "2005-03-01T10:00:00"},
       "Date mal formée : « 2005-03-01T10:00:00 » (forme attendue : AAAA-MM-JJ).\n"},
      {{"--format", "d", "2005-03-01 10:00"},
       "Moment mal formé : « 2005-03-01 10:00 » (forme attendue : "
       "AAAA-MM-JJ[THH:MM:SS[.mmm]]).\n"},
      {{"--format", "d", "2005-03-01T10:00:00.5"},
       "Moment mal formé : « 2005-03-01T10:00:00.5 » (forme attendue : "
       "AAAA-MM-JJ[THH:MM:SS[.mmm]]).\n"},
      {{"--format"}, "L'option --format attend un modèle (voir dorvane --help).\n"},
      {{"--print", "2005-03-01", "x"}, "Argument en trop : « x » (voir dorvane --help).\n"},
      {{"--version", "x"}, "Argument en trop : « x » (voir dorvane --help).\n"},
      {{"--mois"}, "Option inconnue : « --mois » (voir dorvane --help).\n"},
      {{"--month", "10000-01-01"},
       "Date mal formée : « 10000-01-01 » (forme attendue : AAAA-MM-JJ).\n"},
      {{"--month", "2005-03-07", "x"}, "Argument en trop : « x » (voir dorvane --help).\n"},
      {{"--holidays", "1981"}, "Dorvane ne connaît les jours fériés qu'à partir de 1982.\n"},
      {{"--holidays", "0000"}, "Argument incorrect pour l'encodage de date.\n"},
      {{"--holidays", "0"}, "Année mal formée : « 0 » (forme attendue : AAAA).\n"},
      {{"--holidays", " 2005"}, "Année mal formée : «  2005 » (forme attendue : AAAA).\n"},
      {{"--holidays", "2005", "2006"}, "Argument en trop : « 2006 » (voir dorvane --help).\n"},
      {{"--month", "--weeks", "--weeks"},
       "Date mal formée : « --weeks » (forme attendue : AAAA-MM-JJ).\n"},
      {{"--weeks"}, "L'option --weeks accompagne --month (voir dorvane --help).\n"},
      {{"--bonjour\nmonde"}, "Option inconnue : « --bonjour?monde » (voir dorvane --help).\n"},
      // C1 controls (U+0085, a stray 0x9B) and the right-to-left override.
      {{"--a\u0085b\x9B"
        "c\u202Ed\u2067é"},
       "Option inconnue : « --a?b?c?d?é » (voir dorvane --help).\n"},
  };
  for (const auto& c : cases) {
    const Outcome run = Call(c.args);
    EXPECT_EQ(run.status, 2) << c.args[0];
    EXPECT_EQ(run.out, "") << c.args[0];
    EXPECT_EQ(run.err, c.err) << c.args[0];
  }
}

// The built program, run as a user would: its streams and its exit status. `output` redirects
// its standard output elsewhere than to the captured file (">/dev/full", ">&-").
Outcome RunProgram(const std::string& environment, const std::string& arguments,
                   const std::string& output = "") {
  // A directory of its own, so that test runs in parallel never share the capture files.
  const dorvane::testing::TempDir dir;
  const std::string outFile = dir / "out.txt";
  const std::string errFile = dir / "err.txt";
  const std::string command = "env -u LC_ALL -u LC_TIME -u LANG " + environment + " '" +
                              DORVANE_EXE + "' " + arguments + " 2>'" + errFile + "' " +
                              (output.empty() ? ">'" + outFile + "'" : output);
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, dorvane::testing::ReadFileBytes(outFile),
          dorvane::testing::ReadFileBytes(errFile)};
}

// The texts are those of LC_ALL's locale, else LC_TIME's, else LANG's; one set empty counts as
// unset.
TEST(CommandLineProgram, PrintsWithoutADisplayInTheUsersLocale) {
  const Outcome neutral =
      RunProgram("LANG=C.UTF-8 DISPLAY= WAYLAND_DISPLAY=", "--print 2005-03-07");
  EXPECT_EQ(neutral.status, 0);
  EXPECT_EQ(neutral.out,
            "MARS 2005\nMars 7, 2005 - 2 ème jour de la semaine.\n66 ème jour\n"
            "Lune : 27° jour  (dernier quartier)\n");
  EXPECT_EQ(neutral.err, "");

  const Outcome french =
      RunProgram("LC_ALL= LANG=en_US.UTF-8 LC_TIME=fr_FR.UTF-8", "--print 2005-02-07");
  EXPECT_EQ(french.status, 0);
  EXPECT_EQ(french.out.substr(0, french.out.find('\n', french.out.find('\n') + 1)),
            "FéVRIER 2005\nlundi 7 février 2005 - 2 ème jour de la semaine.");

  const Outcome english = RunProgram("LC_ALL=en_US.UTF-8 LC_TIME=fr_FR.UTF-8",
                                     "--format 'tt dddddd' 2005-02-07T14:05:09");
  EXPECT_EQ(english.out, "2:05:09 PM Monday, February 7, 2005\n");
}

TEST(CommandLineProgram, RefusesBadInputWithStatusTwo) {
  const Outcome run = RunProgram("LANG=C", "--screenshot x.png --date 2005-02-29");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "Argument incorrect pour l'encodage de date.\n");
}

// The options that print load no toolkit: the program's own libraries are the system's C and
// C++ runtimes alone (the windows' toolkit comes with the front end's library, loaded for them).
TEST(CommandLineProgram, LinksNoToolkit) {
  const Outcome libraries = RunProgram("LD_TRACE_LOADED_OBJECTS=1", "");
  EXPECT_EQ(libraries.status, 0);
  EXPECT_NE(libraries.out.find("libc.so"), std::string::npos) << libraries.out;
  EXPECT_EQ(libraries.out.find("Qt"), std::string::npos) << libraries.out;
}

// A result that cannot be written is a failure: status 1 and one line on standard error.
TEST(CommandLineProgram, AFailedWriteEndsWithStatusOne) {
  for (const char* output : {">/dev/full", ">&-"}) {
    for (const char* arguments : {"--month 2005-03-07", "--help"}) {
      const Outcome run = RunProgram("LANG=C", arguments, output);
      EXPECT_EQ(run.status, 1) << arguments << " " << output;
      EXPECT_EQ(run.err, "Écriture impossible sur la sortie standard.\n")
          << arguments << " " << output;
    }
  }
}

}  // namespace
}  // namespace dorvane
