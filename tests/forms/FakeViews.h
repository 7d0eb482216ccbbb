#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/Calendar.h"
#include "forms/About.h"
#include "forms/Layout.h"
#include "forms/MainForm.h"

namespace dorvane::testing {

// A window that keeps what its form tells it: the controls' texts, the focus, whether it shows.
// Every control a form names must be a row of the window's table.
template <class View>
class FakeWindow : public View {
 public:
  explicit FakeWindow(const WindowLayout& layout) : layout_(layout) {}

  void SetText(std::string_view control, std::string_view text) override {
    Known(control);
    texts[std::string(control)] = std::string(text);
  }
  std::string Text(std::string_view control) const override {
    Known(control);
    const auto found = texts.find(std::string(control));
    return found == texts.end() ? std::string() : found->second;
  }
  void SetFocus(std::string_view control) override {
    Known(control);
    focus = std::string(control);
  }
  void BringForward() override { visible = true; }
  void Close() override { visible = false; }

  std::map<std::string, std::string> texts;
  std::string focus;
  bool visible = false;

 private:
  void Known(std::string_view control) const {
    EXPECT_NE(FindControl(layout_, control), nullptr)
        << control << " is no control of " << layout_.name;
  }

  const WindowLayout& layout_;
};

using FakeFormView = FakeWindow<FormView>;

class FakeAboutView : public FakeWindow<AboutView> {
 public:
  explicit FakeAboutView(int* ownerBeeps = nullptr)
      : FakeWindow(TFAbout::kLayout), ownerBeeps_(ownerBeeps) {}
  void ShowApplicationIcon(std::string_view control) override { icon = std::string(control); }
  void Beep() override {
    ++beeps;
    if (ownerBeeps_ != nullptr) ++*ownerBeeps_;
  }

  std::string icon;
  int beeps = 0;

 private:
  int* ownerBeeps_;  // also counted there, when a main window made the dialog
};

// The About dialogs a fake main window makes: each a fake view with its TFAbout, created the
// way the front end creates one (FormCreate run), and recorded when shown.
struct AboutShowing {
  std::map<std::string, std::string> texts;
  std::string icon;
  int beepsAtShow = 0;
};

class FakeMainView : public FakeWindow<MainView> {
 public:
  FakeMainView() : FakeWindow(TForm1::kLayout) {}

  TCalendar& Calendar(std::string_view control) override {
    EXPECT_EQ(control, "Calendar1");
    return grid;
  }
  void SetPanelText(int panel, std::string_view text) override {
    panels.at(static_cast<std::size_t>(panel)) = std::string(text);
  }
  bool StartTimer(std::string_view timer, int milliseconds) override {
    timers.emplace_back(std::string(timer), milliseconds);
    return timersAvailable;
  }
  std::unique_ptr<AboutDialog> CreateAboutDialog() override;
  void Beep() override { ++beeps; }
  void SetMenuChecked(std::string_view, bool) override {}

  TCalendar grid;
  std::vector<std::string> panels = std::vector<std::string>(3);
  std::vector<std::pair<std::string, int>> timers;
  bool timersAvailable = true;
  int beeps = 0;  // the main window's own, about the About dialog
  std::vector<AboutShowing> aboutShowings;
  int aboutDialogsAlive = 0;
  // Beeps of every About dialog made, including those whose creation failed.
  int aboutBeeps = 0;
};

class FakeAboutDialog final : public AboutDialog {
 public:
  explicit FakeAboutDialog(FakeMainView& owner)
      : owner_(owner), alive_(owner.aboutDialogsAlive), view_(&owner.aboutBeeps), form_(view_) {
    form_.FormCreate();
  }

  FormView& View() override { return view_; }
  void ShowModal() override {
    owner_.aboutShowings.push_back({view_.texts, view_.icon, view_.beeps});
  }
  // Text widths are the Qt tests' business: every control here ends at the left edge.
  int ControlRight(std::string_view) const override { return 0; }
  void SetClientWidth(int) override {}
  void PlaceHorizontally(std::string_view, int, int) override {}

 private:
  // Counts the dialog among the living for as long as it is, even when FormCreate fails.
  struct Alive {
    explicit Alive(int& count) : count_(count) { ++count_; }
    ~Alive() { --count_; }
    int& count_;
  };

  FakeMainView& owner_;
  Alive alive_;
  FakeAboutView view_;
  TFAbout form_;
};

inline std::unique_ptr<AboutDialog> FakeMainView::CreateAboutDialog() {
  return std::make_unique<FakeAboutDialog>(*this);
}

}  // namespace dorvane::testing
