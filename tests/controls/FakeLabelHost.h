#pragma once

#include <memory>
#include <string>
#include <vector>

#include "RecordingCanvas.h"
#include "controls/FocusableControl.h"
#include "controls/LabelHost.h"

namespace dorvane::testing {

// A label host whose platform state a test sets directly, counting what the label asks.
class FakeLabelHost : public LabelHost {
 public:
  int invalidations = 0;
  Rect rect;  // the label's bounds
  bool enabled = true;
  bool visible = true;
  bool rtlAlignment = false;
  bool rtlReading = false;
  Point cursor{500, 500};
  bool topmost = false;  // whether the label is the topmost control under the cursor
  WindowHandle active = nullptr;
  std::vector<WindowHandle> threadWindows;
  Font parentFont{"Tahoma", -11, clWindowText};
  TColor parentColor = clBtnFace;
  int acceleratorChanges = 0;
  int borrowed = 0;
  int outstanding = 0;
  std::vector<std::string> screenCalls;

  void Invalidate() override { ++invalidations; }
  Rect Bounds() const override { return rect; }
  void SetBounds(const Rect& r) override { rect = r; }
  bool IsEnabled() const override { return enabled; }
  bool IsVisible() const override { return visible; }
  bool UseRightToLeftAlignment() const override { return rtlAlignment; }
  bool UseRightToLeftReading() const override { return rtlReading; }
  Point CursorPos() const override { return cursor; }
  bool IsTopmostControlAt(Point p) const override { return topmost && p == cursor; }
  WindowHandle ActiveWindow() const override { return active; }
  void EnumThreadWindows(const std::function<bool(WindowHandle)>& visit) const override {
    for (WindowHandle w : threadWindows) {
      if (!visit(w)) break;
    }
  }
  std::unique_ptr<Canvas> BorrowScreenCanvas() override {
    ++borrowed;
    return std::make_unique<ScreenCanvas>(*this);
  }
  Font ParentFont() const override { return parentFont; }
  TColor ParentColor() const override { return parentColor; }
  void OpaqueChanged(bool) override {}
  void AcceleratorChanged() override { ++acceleratorChanges; }

  // The program's window is active and the pointer is over the label.
  void PointerOverActiveWindow(bool over) {
    threadWindows = {&windowA, &windowB};
    active = &windowB;
    topmost = over;
  }

 private:
  // Hands its records to the host when released, and counts borrows still out.
  class ScreenCanvas : public RecordingCanvas {
   public:
    explicit ScreenCanvas(FakeLabelHost& host) : host_(host) { ++host_.outstanding; }
    ~ScreenCanvas() override {
      --host_.outstanding;
      host_.screenCalls.insert(host_.screenCalls.end(), calls.begin(), calls.end());
    }

   private:
    FakeLabelHost& host_;
  };

  int windowA = 0;
  int windowB = 0;
};

class FakeFocusable : public FocusableControl {
 public:
  bool canFocus = true;
  int focused = 0;
  bool CanFocus() const override { return canFocus; }
  void SetFocus() override { ++focused; }
};

}  // namespace dorvane::testing
