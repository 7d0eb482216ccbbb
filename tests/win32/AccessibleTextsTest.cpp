// What a screen reader reads of the windows' texts on Win32, through the system's accessibility
// library (oleacc) and the status bar's and tool bar's own messages, which the system's readers
// of those controls send: the labels as static texts by their texts, the status bar's panels,
// the search fields by their names, the dialog as a dialog, the tool buttons by their hints.
#include "dates/DateValue.h"
#include "forms/Application.h"
#include "win32/Application.h"
#include "win32/MainWindow.h"
#include "win32/SearchWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "platform/win32/Wide.h"

#include <commctrl.h>
#include <oleacc.h>
#include "win32/Win32.h"

namespace {

using namespace dorvane;
using namespace dorvane::win32;

struct Read {
  long role = 0;
  std::string name;
};

// The window's client object, as a reader in another program gets it.
Read ReadClient(HWND window) {
  Read read;
  IAccessible* object = nullptr;
  if (FAILED(::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object)))) {
    ADD_FAILURE() << "no accessible object";
    return read;
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  VARIANT role{};
  if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4) read.role = role.lVal;
  BSTR name = nullptr;
  if (object->get_accName(self, &name) == S_OK && name != nullptr) {
    read.name = platform::Utf8(std::wstring(name, ::SysStringLen(name)));
    ::SysFreeString(name);
  }
  object->Release();
  return read;
}

class AccessibleTexts : public ::testing::Test {
 protected:
  void SetUp() override {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    app_ = std::make_unique<TApplication>();
    app_->SetTitle(kApplicationTitle);
    main_ = std::make_unique<MainWindow>();
    search_ = std::make_unique<SearchWindow>(main_->View(), main_->Form().Calendar1());
    main_->ShowCentred();
    main_->Form().Calendar1().SetSelectedDate(MakeDate(2005, 3, 7));
    TApplication::ProcessPending();
  }
  void TearDown() override {
    search_.reset();
    main_.reset();
    app_.reset();
    ::CoUninitialize();
  }

  std::unique_ptr<TApplication> app_;
  std::unique_ptr<MainWindow> main_;
  std::unique_ptr<SearchWindow> search_;
};

TEST_F(AccessibleTexts, EveryTextIsReadByItsRoleAndName) {
  const FormControls& main = main_->Controls();

  // The banner and the weekday line: labels read by the text they show.
  for (const char* label : {"RxLabel1", "RxLabel2"}) {
    const Read read = ReadClient(main.Find(label));
    EXPECT_EQ(read.role, ROLE_SYSTEM_STATICTEXT) << label;
    EXPECT_EQ(read.name, main.Text(label)) << label;
    EXPECT_NE(read.name, "") << label;
  }

  // The status bar's panels, owner-drawn, answer their texts as plain ones: day of year, moon,
  // clock.
  const HWND bar = main.Find("StatusBar1");
  for (int panel = 0; panel < 3; ++panel) {
    const LRESULT length = ::SendMessageW(bar, SB_GETTEXTLENGTHW, panel, 0);
    std::wstring text(LOWORD(length) + 1, L'?');
    const LRESULT got =
        ::SendMessageW(bar, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(text.data()));
    EXPECT_EQ(got, length) << panel;
    EXPECT_EQ(HIWORD(got), 0) << panel;  // plain text, not owner-drawn data
    text.resize(LOWORD(got));
    EXPECT_EQ(platform::Utf8(text), main.PanelText(panel)) << panel;
    EXPECT_NE(text, L"") << panel;
  }

  // The search dialog as a dialog, its fields named without their labels' colons.
  const Read dialog = ReadClient(search_->Handle());
  EXPECT_EQ(dialog.role, ROLE_SYSTEM_DIALOG);
  EXPECT_EQ(dialog.name, "Rechercher...");
  for (const auto& [edit, name] :
       {std::pair{"Edit3", "Jour"}, {"Edit2", "Mois"}, {"Edit1", "Année"}}) {
    const Read field = ReadClient(search_->Controls().Find(edit));
    EXPECT_EQ(field.role, ROLE_SYSTEM_TEXT) << edit;
    EXPECT_EQ(field.name, name) << edit;
  }

  // The tool buttons' texts, never shown, are their hints: what a reader names them by.
  const HWND tools = main.Find("ToolBar1");
  const auto text = [&](int index) {
    TBBUTTON button{};
    ::SendMessageW(tools, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button));
    wchar_t name[64] = {};
    const auto length =
        ::SendMessageW(tools, TB_GETBUTTONTEXTW, button.idCommand, reinterpret_cast<LPARAM>(name));
    return length > 0 ? platform::Utf8(name) : std::string();
  };
  // By index on the bar, separators counted.
  for (const auto& [index, name] : {std::pair{0, "Année précédente"},
                                    {2, "Mois actuel"},
                                    {6, "Rechercher une date"},
                                    {9, "Quitter logiciel"}}) {
    EXPECT_EQ(text(index), name) << index;
  }
}

}  // namespace
