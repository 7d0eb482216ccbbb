#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "forms/FormView.h"
#include "forms/Layout.h"
#include "win32/FormControls.h"

#include "win32/Win32.h"

namespace dorvane::win32 {

// A top-level window of ours: its procedure hands every message to the object, within one
// guard, so that no failure ever unwinds through the system's frames; the controls of its table
// get their messages first.
class TopWindow {
 public:
  virtual ~TopWindow();
  TopWindow(const TopWindow&) = delete;
  TopWindow& operator=(const TopWindow&) = delete;

  // The window, made now if it was left for its first use.
  HWND Handle() const {
    MakeWindowIfLeft();
    return window_;
  }
  FormControls& Controls() const {
    MakeWindowIfLeft();
    return *controls_;
  }
  // Whether a window is one of the program's own windows.
  static bool IsOurs(HWND window);
  // A key pressed in a window of ours that moves the focus to a part of it (FocusKeyTarget),
  // whatever control has the focus: the focus moved, and the key is taken.
  static bool FocusKey(HWND root, WPARAM key);

 protected:
  TopWindow() = default;

  // Creates the window, hidden, from its table (frame, caption, icon, menu, controls), its
  // client area at the table's size at the window's dpi.
  void Build(const WindowLayout& layout, TForm& form, HWND owner = nullptr);
  // The same, left for the window's first use: a window hidden at start-up and perhaps never
  // shown costs the start-up nothing. Whatever asks for the window or its controls makes it.
  void BuildAtFirstUse(const WindowLayout& layout, TForm& form) {
    leftLayout_ = &layout;
    leftForm_ = &form;
  }
  // Makes the window left for its first use, if any; const, since reading a window may make it.
  void MakeWindowIfLeft() const;
  // The window's messages; the default handles the controls', the dpi, the size limits and the
  // focus, and hides the window when it is closed.
  virtual LRESULT Message(UINT message, WPARAM wParam, LPARAM lParam);
  // The outer size of a window whose client area has the table's size at the window's dpi.
  SIZE LayoutOuterSize() const;
  // The outer size a window of a fixed size keeps against any request from outside (a frame
  // drag, the window manager, another program), whatever its state; {0, 0}: none. By default a
  // dialog frame keeps the size its window last gave itself.
  virtual SIZE HeldSize() const {
    return controls_->Layout().border == BorderStyle::kDialog ? ownSize_ : SIZE{};
  }
  // Shows the window, centred on its monitor the first time only.
  void ShowCentredFirstTime();
  // Out of the minimised state, shown (centred the first time), raised and active; a window
  // left for its first use is made first.
  void BringWindowForward();
  // The client size for a layout client size at the window's dpi.
  void SetClientSize(int width, int height);

  HWND window_ = nullptr;
  std::unique_ptr<FormControls> controls_;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Gives the window an outer size of its own, which no size lock holds back.
  void TakeOwnSize(SIZE size, UINT flags);
  // Lays the window out again at another layout dpi (a monitor's scale, the desktop's text),
  // its client area keeping its size in layout pixels.
  void Rescale(int dpi);
  // WM_GETMINMAXINFO: a window's size held (HeldSize), else never below the table's size.
  void SizeLimits(MINMAXINFO& limits);

  bool shownOnce_ = false;
  bool rescaling_ = false;  // the window takes its size at a new dpi: no size lock holds
  SIZE ownSize_{};          // the outer size the window last gave itself

  HWND lastFocus_ = nullptr;
  const WindowLayout* leftLayout_ = nullptr;
  TForm* leftForm_ = nullptr;
};

// A window of ours with its form, whose view it is (`Interface`, a FormView): the common view
// operations act on the controls of its table. The form is made on the window, with `args`.
template <class Interface, class TheForm>
class FormWindow : public TopWindow, protected Interface {
 public:
  TheForm& Form() { return form_; }
  FormView& View() { return *this; }

 protected:
  template <class... Args>
  explicit FormWindow(Args&... args) : form_(*this, args...) {}

  void SetText(std::string_view control, std::string_view text) override {
    Controls().SetText(control, text);
  }
  std::string Text(std::string_view control) const override { return Controls().Text(control); }
  void SetFocus(std::string_view control) override { Controls().SetFocus(control); }
  void BringForward() override { BringWindowForward(); }
  // A window never made was never shown: there is nothing to close.
  void Close() override {
    if (window_ != nullptr) ::SendMessageW(window_, WM_CLOSE, 0, 0);
  }

  TheForm form_;
};

}  // namespace dorvane::win32
