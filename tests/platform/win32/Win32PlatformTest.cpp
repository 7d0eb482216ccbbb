// The Win32 implementations of the platform interfaces, against the system's real services.
#include <windows.h>
// After windows.h.
#include <shellapi.h>
// Our FileSystem::DeleteFile, not the macro for DeleteFileA/W.
#undef DeleteFile

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "dates/DateLocale.h"
#include "help/hh.h"
#include "help/hh_funcs.h"
#include "platform/Files.h"
#include "platform/MemoryStatus.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/Settings.h"
#include "platform/SystemInfo.h"
#include "platform/win32/CommandLine.h"
#include "platform/win32/Wide.h"
#include "text/Ascii.h"
#include "text/Paths.h"

namespace dorvane::platform {
namespace {

struct TitleSearch {
  std::wstring title;
  int count = 0;
};

BOOL CALLBACK CountIfTitled(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<TitleSearch*>(context);
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  wchar_t text[256] = {};
  ::GetWindowTextW(window, text, 256);
  if (process == ::GetCurrentProcessId() && ::IsWindowVisible(window) && text == search.title)
    ++search.count;
  return TRUE;
}

// The visible top-level windows of this process with the given title.
int WindowsOfThisProcessTitled(const std::wstring& title) {
  TitleSearch search{title};
  ::EnumWindows(CountIfTitled, reinterpret_cast<LPARAM>(&search));
  return search.count;
}

void ServeMessages() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
}

// The registered viewer is the system's own; through our binding the help command (command 0)
// opens it on the help file beside the program, in a window titled with the file's title, and
// closing every help window (command 18) closes it. Needs a display.
TEST(Win32HelpViewer, IsFoundThroughTheRegistryAndOpensTheHelpWindow) {
  const auto value =
      SystemRegistry().ReadDefaultValue(RegistryRoot::ClassesRoot, kHtmlHelpViewerKey);
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(AsciiLower(FileNameOf(*value)), "hhctrl.ocx");
  EXPECT_EQ(LocateHelpViewer(), *value);
  EXPECT_FALSE(SystemRegistry()
                   .ReadDefaultValue(RegistryRoot::ClassesRoot, "CLSID\\{00000000-dead-beef}")
                   .has_value());

  const std::wstring title = L"Aide de Dorvane";
  LoadHelpViewer();
  ASSERT_NE(HelpViewer().helpEntry, nullptr);
  EXPECT_NE(HelpViewer().wideEntry, nullptr);
  ASSERT_EQ(WindowsOfThisProcessTitled(title), 0);
  ShowProgramHelp();
  ServeMessages();
  EXPECT_EQ(WindowsOfThisProcessTitled(title), 1);
  CloseHelpWindows();
  ServeMessages();
  EXPECT_EQ(WindowsOfThisProcessTitled(title), 0);
  UnloadHelpViewer();
  EXPECT_EQ(HelpViewer().handle, nullptr);
}

// Versions come from the files' version resources; the browser component is in the system
// directory.
TEST(Win32SystemInfo, ReadsTheVersionsOfTheViewerAndTheBrowser) {
  const SystemInfo& system = SystemSystemInfo();
  const auto viewer = system.FileVersion(LocateHelpViewer());
  ASSERT_TRUE(viewer.has_value());
  EXPECT_GE((*viewer)[0], 4);
  const auto browser = system.FileVersion(system.SystemDirectory() + "\\Shdocvw.dll");
  ASSERT_TRUE(browser.has_value());
  EXPECT_GE((*browser)[0], 4);
  // A file without a version resource, and no file at all.
  EXPECT_FALSE(system.FileVersion(system.SystemDirectory() + "\\..\\win.ini").has_value());
  EXPECT_FALSE(system.FileVersion(system.SystemDirectory() + "\\nothing-here.dll").has_value());

  const PlatformVersion os = system.Version();
  EXPECT_EQ(os.name, "Windows NT");
  EXPECT_GE(os.major, 5u);
  EXPECT_TRUE(SystemFiles().DirectoryExists(system.TempDirectory()));
  EXPECT_EQ(system.DefaultLocaleId() & 0x3FF, 0x0Cu);  // French
}

// In a French user locale (set by the test's environment) the texts are the system's French.
TEST(Win32Locale, ReadsTheUsersFrenchTexts) {
  const DateLocale locale = ReadDateLocale(*UserLocaleSource());
  EXPECT_EQ(locale.MonthNames[0], "janvier");
  EXPECT_EQ(locale.MonthNames[7], "août");
  EXPECT_EQ(locale.MonthNames[11], "décembre");
  EXPECT_EQ(locale.DayNames[0], "dimanche");
  EXPECT_EQ(locale.DayNames[1], "lundi");
  EXPECT_EQ(AsciiLower(locale.LongDatePattern), "dddd d mmmm yyyy");
  EXPECT_EQ(locale.DecimalSep, U',');
  EXPECT_EQ(locale.ThousandSep, "\u00A0");  // a no-break space, whole
  // Leading zeros and a 24-hour clock.
  EXPECT_EQ(locale.LongTimePattern, "hh:mm:ss");
}

TEST(Win32MemoryStatus, TotalIsTheMachinesMemory) {
  std::ifstream in("Z:\\proc\\meminfo");
  if (!in) GTEST_SKIP() << "not under Wine on Linux";
  std::string key;
  unsigned long long kib = 0;
  while (in >> key && key != "MemTotal:") in.ignore(1 << 20, '\n');
  in >> kib;
  ASSERT_GT(kib, 0u);
  const MemoryFigures figures = SystemMemoryStatus().Query();
  // The system counts whole pages.
  const long long difference =
      static_cast<long long>(figures.totalPhysicalBytes) - static_cast<long long>(kib * 1024);
  EXPECT_LT(std::llabs(difference), 64 * 1024) << figures.totalPhysicalBytes;
  EXPECT_GE(figures.memoryLoad, 0);
  EXPECT_LE(figures.memoryLoad, 100);
}

std::string Content(const std::string& path) {
  std::ifstream in(Wide(path).c_str(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(Win32Files, WritesPlainFilesAndRefusesReparsePoints) {
  FileSystem& files = SystemFiles();
  const std::string dir = WithoutTrailingSeparators(SystemSystemInfo().TempDirectory()) +
                          "\\dorvane-test-" + std::to_string(::GetCurrentProcessId());
  ASSERT_TRUE(::CreateDirectoryW(Wide(dir).c_str(), nullptr));
  const std::string file = dir + "\\été.txt";
  EXPECT_TRUE(files.AppendText(file, "un\r\n"));
  EXPECT_TRUE(files.AppendText(file, "deux\r\n"));
  EXPECT_EQ(Content(file), "un\r\ndeux\r\n");
  // The writability test never touches a name that is there, and leaves none behind.
  EXPECT_FALSE(files.CanCreateFile(file));
  EXPECT_EQ(Content(file), "un\r\ndeux\r\n");
  EXPECT_TRUE(files.CanCreateFile(dir + "\\$_Temp_$.$$$"));
  EXPECT_FALSE(files.FileExists(dir + "\\$_Temp_$.$$$"));
  EXPECT_TRUE(files.FileExists(file));
  EXPECT_FALSE(files.FileExists(dir));
  EXPECT_TRUE(files.DirectoryExists(dir));
  EXPECT_FALSE(files.CanCreateFile(dir));
  // A device is no file, and asking never blocks.
  EXPECT_FALSE(files.FileExists("COM1"));
  EXPECT_FALSE(files.FileExists("\\\\.\\NUL"));

  // A read-only file is deleted all the same.
  ASSERT_TRUE(::SetFileAttributesW(Wide(file).c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(files.DeleteFile(file));
  EXPECT_FALSE(files.FileExists(file));
  EXPECT_TRUE(files.AppendText(file, "gardé"));

  // A second name for the file (a hard link): written through neither name.
  const std::string second = dir + "\\second.txt";
  ASSERT_TRUE(::CreateHardLinkW(Wide(second).c_str(), Wide(file).c_str(), nullptr));
  EXPECT_FALSE(files.AppendText(second, "planted\r\n"));
  EXPECT_FALSE(files.AppendText(file, "planted\r\n"));
  EXPECT_FALSE(files.CanCreateFile(second));
  EXPECT_EQ(Content(file), "gardé");
  EXPECT_TRUE(files.DeleteFile(second));

  // A link in place of the report: neither it nor its target is written. Checked on Windows
  // only: Wine 8 makes no link at all (CreateSymbolicLinkW does nothing and says it succeeded;
  // FSCTL_SET_REPARSE_POINT fails with ERROR_NOT_SUPPORTED, and so does cmd's mklink /j), and a
  // Unix link to a file is not reported as a reparse point.
  const std::string link = dir + "\\HHDebug.txt";
  using CreateLink = BOOLEAN(WINAPI*)(LPCWSTR, LPCWSTR, DWORD);
  const auto createLink = reinterpret_cast<CreateLink>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "CreateSymbolicLinkW")));
  if (createLink != nullptr && createLink(Wide(link).c_str(), Wide(file).c_str(), 0) &&
      files.IsSymbolicLink(link)) {
    EXPECT_FALSE(files.AppendText(link, "planted\r\n"));
    EXPECT_FALSE(files.CanCreateFile(link));
    EXPECT_EQ(Content(file), "gardé");
    EXPECT_TRUE(files.DeleteFile(link));
    EXPECT_TRUE(files.FileExists(file));
  }
  EXPECT_TRUE(files.DeleteFile(file));
  EXPECT_FALSE(files.FileExists(file));
  ::RemoveDirectoryW(Wide(dir).c_str());
}

TEST(Win32Process, NamesItsModuleAndArguments) {
  const auto args = SystemProcess().Arguments();
  ASSERT_FALSE(args.empty());
  for (const std::string& name : {SystemProcess().ModuleFileName(), args[0]})
    EXPECT_EQ(AsciiLower(FileNameOf(name)), "win32_platform_test.exe");
}

// The program's name read without the shell's library, against the system's own split: the
// same name wherever it reads one, and the usual command lines of a start without arguments
// read.
TEST(Win32Process, ReadsTheProgramsNameAloneAsTheSystemSplitsIt) {
  struct Case {
    const wchar_t* line;
    bool alone;
  };
  for (const Case& c :
       {Case{L"\"C:\\Program Files\\Dorvane\\dorvane.exe\"", true},
        Case{L"\"C:\\a b\\dorvane.exe\" \t ", true}, Case{L"dorvane.exe", true},
        Case{L"C:\\x\\dorvane.exe\t", true}, Case{L"\"\"", true},
        Case{L"dorvane.exe --print", false}, Case{L"\"a b\"c", false}, Case{L"\"a b\" c", false},
        Case{L"a\"b c\"", false}, Case{L"\"unclosed name", false}, Case{L" dorvane.exe", false},
        Case{L"", false}}) {
    SCOPED_TRACE(Utf8(c.line));
    const std::optional<std::wstring_view> name = NameAlone(c.line);
    EXPECT_EQ(name.has_value(), c.alone);
    if (!name) continue;
    int count = 0;
    LPWSTR* split = ::CommandLineToArgvW(c.line, &count);
    ASSERT_NE(split, nullptr);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(std::wstring(*name), std::wstring(split[0]));
    ::LocalFree(split);
  }
}

// The choices in the user's registry key, as REG_DWORD values of 1 or 0, read back through the
// system's own calls; a value of another type or number is no choice.
TEST(Win32Settings, StoresDwordsUnderTheUsersKey) {
  Settings& settings = SystemSettings();
  ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Dorvane");
  EXPECT_EQ(settings.ReadBool(kShowWeekNumbers), std::nullopt);
  ASSERT_TRUE(settings.WriteBool(kShowWeekNumbers, true));
  ASSERT_TRUE(settings.WriteBool(kShowHolidays, false));
  HKEY key = nullptr;
  ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Dorvane", 0,
                            KEY_QUERY_VALUE | KEY_SET_VALUE, &key),
            ERROR_SUCCESS);
  DWORD type = 0;
  DWORD value = 7;
  DWORD size = sizeof value;
  EXPECT_EQ(::RegQueryValueExW(key, L"ShowWeekNumbers", nullptr, &type,
                               reinterpret_cast<BYTE*>(&value), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(value, 1u);
  EXPECT_EQ(settings.ReadBool(kShowWeekNumbers), true);
  EXPECT_EQ(settings.ReadBool(kShowHolidays), false);

  const wchar_t text[] = L"1";
  ::RegSetValueExW(key, L"ShowHolidays", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   sizeof text);
  const DWORD two = 2;
  ::RegSetValueExW(key, L"ShowWeekNumbers", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&two),
                   sizeof two);
  ::RegCloseKey(key);
  EXPECT_EQ(settings.ReadBool(kShowHolidays), std::nullopt);
  EXPECT_EQ(settings.ReadBool(kShowWeekNumbers), std::nullopt);
  ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Dorvane");
}

}  // namespace
}  // namespace dorvane::platform
