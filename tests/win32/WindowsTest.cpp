// The native windows under Wine: their commands through the messages the system sends, the
// search dialog's error box read back from the screen, the size lock, and the program's own
// screenshots read back through WIC.
#include "calendar/Calendar.h"
#include "controls/Lines.h"
#include "controls/RXCtrls.h"
#include "dates/Captions.h"
#include "dates/DateValue.h"
#include "forms/MainForm.h"
#include "help/hh.h"
#include "win32/AboutWindow.h"
#include "win32/Application.h"
#include "win32/ControlWindows.h"
#include "win32/MainWindow.h"
#include "win32/SearchWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/Wide.h"

#include <commctrl.h>
#include <initguid.h>
#include <objbase.h>
#include <wincodec.h>
#include "win32/Win32.h"

namespace {

using namespace dorvane;
using namespace dorvane::win32;

// The error boxes shown while a command ran: each read from the screen, then closed by OK.
std::vector<std::string> boxes;

// Counts the visible help viewer windows of this process.
BOOL CALLBACK CountViewer(HWND window, LPARAM found) {
  wchar_t name[16] = {};
  ::GetClassNameW(window, name, 16);
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  if (process == ::GetCurrentProcessId() && std::wstring_view(name) == L"HH Parent" &&
      ::IsWindowVisible(window)) {
    ++*reinterpret_cast<int*>(found);
  }
  return TRUE;
}

int Viewers() {
  int count = 0;
  ::EnumWindows(CountViewer, reinterpret_cast<LPARAM>(&count));
  return count;
}

BOOL CALLBACK CloseBox(HWND window, LPARAM) {
  wchar_t name[16] = {};
  ::GetClassNameW(window, name, 16);
  if (std::wstring_view(name) != L"#32770" || !::IsWindowVisible(window)) return TRUE;
  wchar_t caption[64] = {};
  wchar_t text[512] = {};
  ::GetWindowTextW(window, caption, 64);
  ::GetDlgItemTextW(window, 0xFFFF, text, 512);  // the message's static control
  boxes.push_back(platform::Utf8(caption) + ": " + platform::Utf8(text));
  ::PostMessageW(window, WM_COMMAND, IDOK, 0);
  return TRUE;
}

void CALLBACK CloseBoxes(HWND, UINT, UINT_PTR, DWORD) {
  ::EnumThreadWindows(::GetCurrentThreadId(), CloseBox, 0);
}

// A PNG's pixels, read through the system's imaging component.
struct Picture {
  UINT width = 0;
  UINT height = 0;
  std::vector<BYTE> bgra;
  COLORREF At(int x, int y) const {
    const BYTE* p = &bgra[(static_cast<std::size_t>(y) * width + static_cast<std::size_t>(x)) * 4];
    return RGB(p[2], p[1], p[0]);
  }
};

Picture ReadPng(const std::wstring& file) {
  Picture picture;
  IWICImagingFactory* factory = nullptr;
  IWICBitmapDecoder* decoder = nullptr;
  IWICBitmapFrameDecode* frame = nullptr;
  IWICFormatConverter* converter = nullptr;
  if (SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) &&
      SUCCEEDED(factory->CreateDecoderFromFilename(file.c_str(), nullptr, GENERIC_READ,
                                                   WICDecodeMetadataCacheOnDemand, &decoder)) &&
      SUCCEEDED(decoder->GetFrame(0, &frame)) &&
      SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
      SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                      nullptr, 0, WICBitmapPaletteTypeCustom)) &&
      SUCCEEDED(converter->GetSize(&picture.width, &picture.height))) {
    picture.bgra.resize(static_cast<std::size_t>(picture.width) * picture.height * 4);
    if (FAILED(converter->CopyPixels(nullptr, picture.width * 4,
                                     static_cast<UINT>(picture.bgra.size()),
                                     picture.bgra.data()))) {
      picture = {};
    }
  }
  for (IUnknown* object : std::initializer_list<IUnknown*>{converter, frame, decoder, factory}) {
    if (object != nullptr) object->Release();
  }
  return picture;
}

// Runs dorvane.exe with its arguments; its exit code.
DWORD RunProgram(const std::wstring& arguments) {
  std::wstring exe = platform::Wide(DORVANE_PROGRAM);
  for (wchar_t& c : exe) c = c == L'/' ? L'\\' : c;
  std::wstring command = L"\"" + exe + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    return 0xFFFFFFFF;
  }
  ::WaitForSingleObject(process.hProcess, 60000);
  DWORD code = 0xFFFFFFFF;
  ::GetExitCodeProcess(process.hProcess, &code);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return code;
}

// The bounding box of the pixels of a rectangle that pass a test.
RECT Extent(const Picture& picture, RECT area, bool (*test)(COLORREF)) {
  RECT box{area.right, area.bottom, area.left - 1, area.top - 1};
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (!test(picture.At(x, y))) continue;
      box.left = std::min<LONG>(box.left, x);
      box.top = std::min<LONG>(box.top, y);
      box.right = std::max<LONG>(box.right, x + 1);
      box.bottom = std::max<LONG>(box.bottom, y + 1);
    }
  }
  return box;
}

DateParts Day(const TCalendar& grid) {
  return SplitDate(grid.SelectedDate());
}

class Windows : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    app_ = std::make_unique<TApplication>();
    app_->SetTitle(kApplicationTitle);
    main_ = std::make_unique<MainWindow>();
    search_ = std::make_unique<SearchWindow>(main_->View(), Grid());
    main_->SetSearchDialog(search_.get());
    main_->ShowCentred();
    timer_ = ::SetTimer(nullptr, 0, 50, CloseBoxes);
    boxes.clear();
    Grid().SetSelectedDate(MakeDate(2005, 3, 7));
    TApplication::ProcessPending();
  }
  void TearDown() override {
    ::KillTimer(nullptr, timer_);
    if (main_) main_->SetSearchDialog(nullptr);
    search_.reset();
    main_.reset();
    app_.reset();
    MSG quit{};
    while (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }

  TCalendar& Grid() { return main_->Form().Calendar1(); }
  HWND Main() const { return main_->Handle(); }
  HWND Field(std::string_view name) const { return search_->Controls().Find(name); }

  // A tool button's command, as the tool bar sends it.
  void ClickTool(std::string_view name) {
    HWND band = main_->Controls().Find("ControlBar1");
    HWND bar = ::FindWindowExW(band, nullptr, TOOLBARCLASSNAMEW, nullptr);
    const auto& buttons = TForm1::kLayout.toolButtons;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
      if (buttons[i].name != name) continue;
      TBBUTTON button{};
      ASSERT_TRUE(::SendMessageW(bar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)));
      ::SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(button.idCommand, BN_CLICKED),
                     reinterpret_cast<LPARAM>(bar));
      return;
    }
    FAIL() << "no tool button " << name;
  }

  // A menu item's command, found by its caption in the window's menu bar.
  void ChooseMenu(std::string_view caption) {
    HMENU bar = ::GetMenu(Main());
    for (int m = 0; m < ::GetMenuItemCount(bar); ++m) {
      HMENU menu = ::GetSubMenu(bar, m);
      for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = {};
        ::GetMenuStringW(menu, i, text, 128, MF_BYPOSITION);
        if (platform::Utf8(text) != caption) continue;
        ::SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(::GetMenuItemID(menu, i), 0), 0);
        return;
      }
    }
    FAIL() << "no menu item " << caption;
  }

  void Type(std::string_view field, std::string_view text) {
    HWND edit = Field(field);
    ::SetWindowTextW(edit, L"");
    for (const wchar_t c : platform::Wide(text)) ::SendMessageW(edit, WM_CHAR, c, 1);
  }

  std::unique_ptr<TApplication> app_;
  std::unique_ptr<MainWindow> main_;
  std::unique_ptr<SearchWindow> search_;
  UINT_PTR timer_ = 0;
};

// Each tool button and the menu item of the same role run the same command.
TEST_F(Windows, ToolButtonsAndMenuItemsRunTheirCommands) {
  const DateParts today = SplitDate(TodayDate());
  struct Row {
    std::string_view button;
    std::string_view item;
    DateParts shown;  // the grid's date afterwards
  } const rows[] = {
      {"tlbtnAnAvant", "Année &précédente", {2004, 3, 7}},
      {"tlbtnMAvant", "Mois p&récédent", {2005, 2, 7}},
      {"tlbtnMActuel", "Mois &actuel", today},
      {"tlbtnMApres", "Mois s&uivant", {2005, 4, 7}},
      {"tlbtnAnApres", "Année &suivante", {2006, 3, 7}},
  };
  for (const Row& row : rows) {
    for (const bool byMenu : {false, true}) {
      SCOPED_TRACE(byMenu ? row.item : row.button);
      Grid().SetSelectedDate(MakeDate(2005, 3, 7));
      byMenu ? ChooseMenu(row.item) : ClickTool(row.button);
      EXPECT_EQ(Day(Grid()), row.shown);
      // The captions follow the grid, in the status bar too.
      EXPECT_EQ(main_->Controls().PanelText(0), DayOfYearText(Grid().SelectedDate()));
    }
  }

  // A panel text too wide for its panel, even narrowed, is whole in the panel's tooltip.
  const std::string cut(200, 'M');
  for (const std::string& text : {cut, std::string("M")}) {
    main_->Controls().SetPanelText(1, text);
    ::UpdateWindow(main_->Controls().Find("StatusBar1"));
    EXPECT_EQ(main_->Controls().PanelTip(1),
              text == cut ? std::wstring(cut.begin(), cut.end()) : L"");
  }

  // Each button's hint is its tooltip, as the tool bar's tooltip control asks the window for it.
  HWND bar =
      ::FindWindowExW(main_->Controls().Find("ControlBar1"), nullptr, TOOLBARCLASSNAMEW, nullptr);
  HWND tips = reinterpret_cast<HWND>(::SendMessageW(bar, TB_GETTOOLTIPS, 0, 0));
  ASSERT_NE(tips, nullptr);
  const auto& buttons = TForm1::kLayout.toolButtons;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    if (buttons[i].image == ToolButtonLayout::kSeparator) continue;
    TBBUTTON button{};
    ::SendMessageW(bar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
    wchar_t text[80] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = bar;
    tool.uId = static_cast<UINT_PTR>(button.idCommand);
    tool.lpszText = text;
    ::SendMessageW(tips, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(platform::Utf8(text), buttons[i].hint);
  }

  // Search: the dialog shows, empty, the focus in the day field.
  for (const bool byMenu : {false, true}) {
    ::ShowWindow(search_->Handle(), SW_HIDE);
    ::SetWindowTextW(Field("Edit1"), L"2005");
    byMenu ? ChooseMenu("&Rechercher Date") : ClickTool("tlbtnRechercher");
    EXPECT_TRUE(::IsWindowVisible(search_->Handle()));
    EXPECT_EQ(::GetWindowTextLengthW(Field("Edit1")), 0);
    EXPECT_EQ(::GetFocus(), Field("Edit3"));
  }

  // About: one modal dialog, every other window disabled while it shows.
  int shown = 0;
  AboutWindow::SetOnShown([&](AboutWindow& dialog) {
    ++shown;
    EXPECT_FALSE(::IsWindowEnabled(Main()));
    dialog.View().Close();
  });
  ChooseMenu("A &propos de...");
  AboutWindow::SetOnShown(nullptr);
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(::IsWindowEnabled(Main()));

  // Help, with no viewer loaded: the failure goes to the error box, and the loop goes on.
  for (const bool byMenu : {false, true}) {
    boxes.clear();
    byMenu ? ChooseMenu("&Rubriques de l'aide...") : ClickTool("tlbtnAide");
    EXPECT_EQ(boxes, std::vector<std::string>{"Dorvane: Aucun visualiseur d'aide n'est installé."});
  }

  // Quit: the window goes, and the loop ends.
  for (const bool byMenu : {false, true}) {
    main_->ShowCentred();
    byMenu ? ChooseMenu("&Quitter") : ClickTool("tlbtnQuitter");
    MSG quit{};
    EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_FALSE(::IsWindowVisible(Main()));
  }
}

// The search dialog through its real fields and button: typed keys go through the fields' key
// rule and length limits, failures show in the error box, and Enter presses a focused button
// only.
TEST_F(Windows, SearchDialogTakesTypedDatesAndReportsItsErrors) {
  struct Row {
    std::string_view day, month, year;  // as typed
    bool enterOnButton;                 // Enter on the focused button instead of a click
    std::string_view box;               // the error box's text; empty: none
    DateParts shown;
  } const rows[] = {
      {"", "", "", false, "Dorvane: '' n'est pas une valeur entière correcte.", {2005, 3, 7}},
      {"1", "1", "0", false, "Dorvane: Argument incorrect pour l'encodage de date.", {2005, 3, 7}},
      {"31", "12", "9999", false, "", {9999, 12, 31}},
      {"2x9",
       "0\x16"
       "2",
       "2004a",
       true,
       "",
       {2004, 2, 29}},                                // letters and Ctrl+V refused
      {"5", "3", "200577", false, "", {2005, 3, 5}},  // four figures at most
  };
  ClickTool("tlbtnRechercher");
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.day) + "/" + std::string(row.month) + "/" + std::string(row.year));
    Grid().SetSelectedDate(MakeDate(2005, 3, 7));
    boxes.clear();
    Type("Edit3", row.day);
    Type("Edit2", row.month);
    Type("Edit1", row.year);
    HWND show = Field("btnAfficher");
    if (row.enterOnButton) {
      ::SetFocus(show);
      MSG enter{show, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
      TApplication::Dispatch(enter);
    } else {
      ::SendMessageW(show, BM_CLICK, 0, 0);
    }
    TApplication::ProcessPending();
    EXPECT_EQ(boxes, row.box.empty() ? std::vector<std::string>{}
                                     : std::vector<std::string>{std::string(row.box)});
    EXPECT_EQ(Day(Grid()), row.shown);
  }

  // Each label holds its whole text in the system's font, wider than the table's as it may be.
  for (const ControlLayout& row : TForm2::kLayout.controls) {
    if (row.kind != ControlKind::kLabel) continue;
    HWND label = Field(row.name);
    HDC dc = ::GetDC(label);
    HGDIOBJ old =
        ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(label, WM_GETFONT, 0, 0)));
    const std::wstring text = platform::Wide(row.text);
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    ::SelectObject(dc, old);
    ::ReleaseDC(label, dc);
    const RECT bounds = search_->Controls().Bounds(row.name);
    EXPECT_GE(bounds.right - bounds.left, extent.cx) << row.name;
  }

  // Tab visits the fields day, month, year, then the two buttons.
  HWND stop = Field("Edit3");
  for (const std::string_view next : {"Edit2", "Edit1", "btnAfficher", "Button1", "Edit3"}) {
    stop = ::GetNextDlgTabItem(search_->Handle(), stop, FALSE);
    EXPECT_EQ(stop, Field(next)) << next;
  }

  // Enter in a field presses nothing, and Escape does not close the dialog: it has neither a
  // default nor a cancel button.
  Type("Edit3", "1");
  ::SetFocus(Field("Edit3"));
  for (const WPARAM key : {VK_RETURN, VK_ESCAPE}) {
    MSG press{Field("Edit3"), WM_KEYDOWN, key, 1, 0, {}};
    TApplication::Dispatch(press);
    TApplication::ProcessPending();
  }
  EXPECT_EQ(Day(Grid()), (DateParts{2005, 3, 5}));
  EXPECT_TRUE(::IsWindowVisible(search_->Handle()));
}

// The grid through the messages the system sends it: a click selects the day under the
// pointer, the arrow keys then move the selection, the captions following.
TEST_F(Windows, GridTakesClicksAndArrowKeys) {
  HWND calendar = main_->Controls().Find("Calendar1");
  const Rect below = Grid().CellRect(Grid().Col(), Grid().Row() + 1);  // under the 7th
  ::PostMessageW(calendar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(below.Left + 3, below.Top + 3));
  ::PostMessageW(calendar, WM_LBUTTONUP, 0, MAKELPARAM(below.Left + 3, below.Top + 3));
  TApplication::ProcessPending();
  EXPECT_EQ(Day(Grid()), (DateParts{2005, 3, 14}));
  EXPECT_EQ(::GetFocus(), calendar);
  struct Key {
    WPARAM key;
    DateParts shown;
  } const keys[] = {{VK_RIGHT, {2005, 3, 15}},
                    {VK_UP, {2005, 3, 8}},
                    {VK_LEFT, {2005, 3, 7}},
                    {VK_DOWN, {2005, 3, 14}}};
  for (const Key& key : keys) {
    ::PostMessageW(calendar, WM_KEYDOWN, key.key, 1);
    TApplication::ProcessPending();
    EXPECT_EQ(Day(Grid()), key.shown) << key.key;
  }
  EXPECT_EQ(main_->Controls().PanelText(0), DayOfYearText(Grid().SelectedDate()));
}

// The help command opens the system's help viewer on Dorvane.chm; the main window's end
// closes it.
TEST_F(Windows, HelpOpensTheViewerUntilTheMainWindowGoes) {
  LoadHelpViewer();
  ASSERT_NE(HelpViewer().helpEntry, nullptr);
  ClickTool("tlbtnAide");
  TApplication::ProcessPending();
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(Viewers(), 1);
  main_->SetSearchDialog(nullptr);
  search_.reset();
  main_.reset();  // FormDestroy: the close-all command
  TApplication::ProcessPending();
  EXPECT_EQ(Viewers(), 0);
  UnloadHelpViewer();
}

// The main window answers the size query with its own size: dragging cannot change it. The
// search dialog's frame may grow but never shrink below its fields.
TEST_F(Windows, MainWindowKeepsItsSize) {
  RECT frame{};
  ::GetWindowRect(Main(), &frame);
  MINMAXINFO limits{};
  ::SendMessageW(Main(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ(limits.ptMinTrackSize.x, frame.right - frame.left);
  EXPECT_EQ(limits.ptMaxTrackSize.x, frame.right - frame.left);
  EXPECT_EQ(limits.ptMinTrackSize.y, frame.bottom - frame.top);
  EXPECT_EQ(limits.ptMaxTrackSize.y, frame.bottom - frame.top);
  RECT client{};
  ::GetClientRect(Main(), &client);
  EXPECT_EQ(client.right, TForm1::kLayout.clientWidth);
  EXPECT_EQ(client.bottom, TForm1::kLayout.clientHeight);

  HWND dialog = search_->Handle();
  ::SetWindowPos(dialog, nullptr, 0, 0, 50, 50, SWP_NOMOVE | SWP_NOZORDER);
  ::GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, TForm2::kLayout.clientWidth);
  EXPECT_EQ(client.bottom, TForm2::kLayout.clientHeight);
}

// Moved to a monitor at 150 %, the window lays every control out again at one and a half times
// its size, the client area too, with fonts for the new scale.
TEST_F(Windows, DpiChangeScalesEveryControl) {
  const FormControls& controls = main_->Controls();
  std::vector<std::pair<std::string_view, RECT>> before;
  for (const ControlLayout& row : TForm1::kLayout.controls) {
    if (controls.Find(row.name) != nullptr)
      before.emplace_back(row.name, controls.Bounds(row.name));
  }
  const auto font = [&] { return ::SendMessageW(controls.Find("GroupBox1"), WM_GETFONT, 0, 0); };
  const LRESULT oldFont = font();
  RECT suggested{};
  ::GetWindowRect(Main(), &suggested);
  ::SendMessageW(Main(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
  const auto atScale = [](LONG scaled, LONG original) {
    return std::abs(scaled - original * 3 / 2) <= 1;
  };
  for (const auto& [name, was] : before) {
    const RECT now = controls.Bounds(name);
    EXPECT_TRUE(atScale(now.left, was.left) && atScale(now.top, was.top) &&
                atScale(now.right, was.right) && atScale(now.bottom, was.bottom))
        << name << ": " << now.left << "," << now.top << "," << now.right << "," << now.bottom;
  }
  RECT client{};
  ::GetClientRect(Main(), &client);
  EXPECT_TRUE(atScale(client.right, TForm1::kLayout.clientWidth))
      << client.right << "x" << client.bottom;
  EXPECT_TRUE(atScale(client.bottom, TForm1::kLayout.clientHeight));
  EXPECT_NE(font(), oldFont);
}

// The program's screenshots: each window at its table's size, the banner in purple with its
// light shadow up and left, the grid's header row and the selected day where the grid's own
// rectangles put them, the About box's etched separator.
TEST_F(Windows, ScreenshotsShowTheWindowsAsLaidOut) {
  ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
  std::vector<Picture> pictures;
  for (const std::wstring_view window : {L"main", L"search", L"about"}) {
    const std::wstring file = L"screenshot-" + std::wstring(window) + L".png";
    ::DeleteFileW(file.c_str());
    EXPECT_EQ(RunProgram(L"--screenshot " + file + L" --date 2005-03-07 --window " +
                         std::wstring(window)),
              0u);
    pictures.push_back(ReadPng(file));
  }
  ::CoUninitialize();
  const Picture& main = pictures[0];
  const Picture& search = pictures[1];
  const Picture& about = pictures[2];
  // The main window with its menu bar above the client area.
  ASSERT_EQ(main.width, static_cast<UINT>(TForm1::kLayout.clientWidth));
  const int menu = static_cast<int>(main.height) - TForm1::kLayout.clientHeight;
  MENUBARINFO bar{};
  bar.cbSize = sizeof bar;
  ASSERT_TRUE(::GetMenuBarInfo(Main(), OBJID_MENU, 0, &bar));
  POINT client{0, 0};
  ::ClientToScreen(Main(), &client);
  EXPECT_EQ(menu, client.y - bar.rcBar.top);
  EXPECT_EQ(search.width, static_cast<UINT>(TForm2::kLayout.clientWidth));
  EXPECT_EQ(search.height, static_cast<UINT>(TForm2::kLayout.clientHeight));
  ASSERT_GE(about.width, static_cast<UINT>(TFAbout::kLayout.clientWidth));
  ASSERT_EQ(about.height, static_cast<UINT>(TFAbout::kLayout.clientHeight));

  // The banner: its light shadow is the text's shape one pixel up and to the left.
  RECT banner = main_->Controls().Bounds("RxLabel1");
  OffsetRect(&banner, 0, menu);
  const RECT text = Extent(main, banner, [](COLORREF c) { return c == RGB(128, 0, 128); });
  const RECT shadow =
      Extent(main, banner, [](COLORREF c) { return c == ::GetSysColor(COLOR_BTNHIGHLIGHT); });
  EXPECT_LT(text.left, text.right);
  EXPECT_EQ(shadow.left, text.left - 1);
  EXPECT_EQ(shadow.top, text.top - 1);

  // The grid, on 7 March 2005: a header cell, and the selected day's cell.
  HWND calendar = main_->Controls().Find("Calendar1");
  POINT origin{0, 0};
  ::MapWindowPoints(calendar, Main(), &origin, 1);
  const auto inside = [&](const Rect& cell) {
    return POINT{origin.x + cell.Left + 3, origin.y + menu + cell.Top + 3};
  };
  const POINT header = inside(Grid().CellRect(0, 0));
  const POINT day = inside(Grid().CellRect(Grid().Col(), Grid().Row()));
  EXPECT_EQ(main.At(header.x, header.y), ::GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(main.At(day.x, day.y), ::GetSysColor(COLOR_HIGHLIGHT));

  // The About box's separator: black, white below it, from x = 86 to 280.
  for (int x = 86; x <= 280; ++x) {
    EXPECT_EQ(about.At(x, 162), RGB(0, 0, 0)) << x;
    EXPECT_EQ(about.At(x, 163), RGB(255, 255, 255)) << x;
  }
  EXPECT_NE(about.At(281, 162), RGB(0, 0, 0));
}

// The system's announcements of new regional settings, and of a new taskbar, reach the
// application's hidden window, which reloads the locale texts.
TEST(Application, ReloadsTheLocaleWhenTheSystemAnnouncesIt) {
  TApplication app;
  int reloads = 0;
  app.SetOnLocaleChange([&reloads] { ++reloads; });
  ::SendMessageW(app.Handle(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"intl"));
  ::SendMessageW(app.Handle(), ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  ::SendMessageW(app.Handle(), WM_TIMECHANGE, 0, 0);
  EXPECT_EQ(reloads, 2);
}

}  // namespace
