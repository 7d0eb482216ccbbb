#include "controls/RXCtrls.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "FakeLabelHost.h"
#include "RecordingCanvas.h"
#include "gfx/TextFlags.h"

namespace dorvane {
namespace {

using testing::CountCalls;
using ::testing::ElementsAre;
using testing::FakeFocusable;
using testing::FakeLabelHost;
using testing::RecordingCanvas;

// Only the text calls of a recording, in order.
std::vector<std::string> TextCalls(const std::vector<std::string>& calls) {
  std::vector<std::string> out;
  for (const std::string& c : calls) {
    if (c.starts_with("DrawText") || c.starts_with("CalcText")) out.push_back(c);
  }
  return out;
}

class RxLabelTest : public ::testing::Test {
 protected:
  FakeLabelHost host;
  TRxLabel label{host};

  std::vector<std::string> Paint() { return testing::Painted(label); }
};

// A setter repaints, re-fits, or both, and does nothing with the current value.
TEST_F(RxLabelTest, SettersRepaintOrRefitOnlyOnChange) {
  static const Font kArial{"Arial", -20};
  const struct {
    const char* name;
    std::function<void(TRxLabel&)> set;
    bool repaints;
    bool fits;
  } cases[] = {
      {"Alignment", [](TRxLabel& l) { l.SetAlignment(taCenter); }, true, false},
      {"AutoSize", [](TRxLabel& l) { l.SetAutoSize(false); }, false, false},
      {"Layout", [](TRxLabel& l) { l.SetLayout(tlBottom); }, true, false},
      {"ShadowColor", [](TRxLabel& l) { l.SetShadowColor(clPurple); }, true, false},
      {"ShadowSize", [](TRxLabel& l) { l.SetShadowSize(2); }, true, true},
      {"ShadowPos", [](TRxLabel& l) { l.SetShadowPos(spRightTop); }, true, false},
      {"ShowAccelChar", [](TRxLabel& l) { l.SetShowAccelChar(false); }, true, false},
      {"ShowFocus", [](TRxLabel& l) { l.SetShowFocus(true); }, true, false},
      {"Transparent", [](TRxLabel& l) { l.SetTransparent(true); }, true, false},
      {"WordWrap", [](TRxLabel& l) { l.SetWordWrap(true); }, true, true},
      {"Caption", [](TRxLabel& l) { l.SetCaption("Mardi"); }, true, true},
      {"Font", [](TRxLabel& l) { l.SetFont(kArial); }, true, true},
      {"Color", [](TRxLabel& l) { l.SetColor(clWhite); }, true, false},
  };
  for (const auto& c : cases) {
    FakeLabelHost h;
    TRxLabel l{h};
    const int invalidations = h.invalidations;
    c.set(l);
    EXPECT_EQ(h.invalidations > invalidations, c.repaints) << c.name;
    EXPECT_EQ(h.borrowed, c.fits ? 1 : 0) << c.name;
    const int after = h.invalidations;
    c.set(l);
    EXPECT_EQ(h.invalidations, after) << c.name << " again";
    EXPECT_EQ(h.borrowed, c.fits ? 1 : 0) << c.name << " again";
  }
}

TEST_F(RxLabelTest, AutoSizeOnMeasuresAndOffDoesNot) {
  label.SetAutoSize(false);
  label.SetCaption("Mardi");
  EXPECT_EQ(host.borrowed, 0);
  EXPECT_EQ(label.Width(), 65);
  label.SetAutoSize(true);
  EXPECT_EQ(label.Width(), 5 * 6 + 2);
  EXPECT_EQ(label.Height(), 13);
  EXPECT_EQ(host.outstanding, 0);  // the screen canvas went back at once
}

TEST_F(RxLabelTest, EmptyCaptionMeasuresAsOneBlank) {
  label.SetBounds(10, 20, 65, 17);
  label.FitToText();
  EXPECT_EQ(label.Left(), 10);
  EXPECT_EQ(label.Top(), 20);
  EXPECT_EQ(label.Width(), 6 + 2);
  EXPECT_EQ(label.Height(), 13);
  EXPECT_THAT(TextCalls(host.screenCalls),
              ElementsAre("CalcText   (0,-1,6,12) 0x440", "CalcText   (1,0,7,13) 0x440"));
}

TEST_F(RxLabelTest, LoneAmpersandWithAndWithoutAccelChars) {
  label.SetCaption("&");
  EXPECT_EQ(label.Width(), 8);
  EXPECT_THAT(TextCalls(host.screenCalls).back(), "CalcText &  (1,0,7,13) 0x440");
  EXPECT_THAT(TextCalls(Paint()).back(), "DrawText &  (1,0,7,13) 0x40 0xff000008");

  host.screenCalls.clear();
  label.SetShowAccelChar(false);
  label.FitToText();
  EXPECT_EQ(label.Width(), 8);
  EXPECT_THAT(TextCalls(host.screenCalls).back(), "CalcText & (1,0,7,13) 0xc40");
  EXPECT_THAT(TextCalls(Paint()).back(), "DrawText & (1,0,7,13) 0x840 0xff000008");
}

// One line of text 30 wide and 13 high: the size the label takes for each shadow, and where
// the shadow is painted.
TEST_F(RxLabelTest, FitsToTheUnionOfTextAndShadow) {
  const struct {
    TShadowPosition pos;
    std::uint8_t size;
    int width;
    int height;
    const char* shadow;
  } cases[] = {
      {spLeftTop, 1, 32, 13, "(0,-1,30,12)"},    {spRightBottom, 1, 33, 14, "(2,1,33,15)"},
      {spLeftBottom, 1, 32, 14, "(0,1,30,15)"},  {spRightTop, 1, 33, 13, "(2,-1,33,12)"},
      {spRightBottom, 3, 35, 16, "(4,3,37,19)"}, {spLeftTop, 0, 32, 13, "(1,0,31,13)"},
      {spLeftTop, 4, 32, 13, "(-3,-4,27,9)"},    {spRightTop, 255, 287, 13, "(256,-255,541,-242)"},
  };
  for (const auto& c : cases) {
    FakeLabelHost h;
    TRxLabel l{h};
    l.SetShadowPos(c.pos);
    l.SetShadowSize(c.size);
    l.SetCaption("Lundi");
    EXPECT_EQ(l.Width(), c.width) << c.pos << " " << int{c.size};
    EXPECT_EQ(l.Height(), c.height) << c.pos << " " << int{c.size};
    EXPECT_EQ(TextCalls(testing::Painted(l)).front(),
              std::string("DrawText Lundi ") + c.shadow + " 0x40 0xff0014")
        << c.pos << " " << int{c.size};
  }
}

TEST_F(RxLabelTest, RightJustifiedGrowsToTheLeftAndCentredKeepsItsLeft) {
  label.SetBounds(100, 5, 65, 17);
  label.SetAlignment(taRightJustify);
  label.SetCaption("Lundi");  // 32 wide: the right edge stays at 165
  EXPECT_EQ(label.Left(), 133);
  label.SetCaption("Lundi 7");  // 44 wide
  EXPECT_EQ(label.Left(), 121);
  EXPECT_EQ(label.Left() + label.Width(), 165);
  label.SetAlignment(taCenter);
  label.SetCaption("Lundi 7 décembre");
  EXPECT_EQ(label.Left(), 121);
  EXPECT_EQ(label.Width(), 16 * 6 + 2);

  // Right to left, a left-justified label is the one that grows to the left.
  FakeLabelHost rtl;
  rtl.rtlAlignment = true;
  TRxLabel mirrored{rtl};
  mirrored.SetBounds(100, 5, 65, 17);
  mirrored.SetCaption("Lundi");
  EXPECT_EQ(mirrored.Left(), 133);
}

TEST_F(RxLabelTest, WordWrapFitsTheWidestLine) {
  label.SetAutoSize(false);
  label.SetWordWrap(true);
  label.SetCaption("Lundi mardi mercredi");
  label.SetBounds(0, 0, 70, 17);
  label.SetAutoSize(true);  // breaks within 68: "Lundi mardi" / "mercredi"
  EXPECT_EQ(label.Width(), 66 + 2);
  EXPECT_EQ(label.Height(), 26);
  EXPECT_THAT(TextCalls(host.screenCalls).back(),
              "CalcText Lundi mardi mercredi (1,0,67,26) 0x450");
}

TEST_F(RxLabelTest, CaptionIsCutOnlyWhenTextAndShadowPassTheBox) {
  // Nine characters of 6 pixels from x = 1, their shadow one pixel up and left: the union
  // runs from x = 0 to 55 and from y = -1 to 13; the label paints within x < width - 1.
  const struct {
    bool wordWrap;
    int width;
    int height;
    bool cut;
  } cases[] = {
      {false, 56, 17, false}, {false, 55, 17, true}, {false, 57, 13, false},
      {false, 57, 12, true},  {true, 40, 26, false},  // "abcd" / "efgh": two lines
      {true, 40, 25, true},
  };
  for (const auto& c : cases) {
    label.SetAutoSize(false);
    label.SetWordWrap(c.wordWrap);
    label.SetCaption(c.wordWrap ? "abcd efgh" : "abcdefghi");
    label.SetBounds(0, 0, c.width, c.height);
    RecordingCanvas canvas;
    EXPECT_EQ(label.CaptionCut(canvas), c.cut) << c.wordWrap << " " << c.width << "x" << c.height;
  }
}

TEST_F(RxLabelTest, PaintsFillThenShadowThenText) {
  label.SetAutoSize(false);
  label.SetCaption("Mardi");
  EXPECT_THAT(Paint(),
              ElementsAre("SetBrush 0xff00000f solid", "FillRect (0,0,65,17) 0xff00000f",
                          "SetBrush 0xff00000f clear", "SetFont Tahoma -11 normal 0xff000008",
                          "SetTextColor 0xff0014", "DrawText Mardi (0,-1,63,16) 0x40 0xff0014",
                          "SetTextColor 0xff000008", "DrawText Mardi (1,0,64,17) 0x40 0xff000008"));
  label.SetTransparent(true);
  const std::vector<std::string> transparent = Paint();
  EXPECT_EQ(CountCalls(transparent, "FillRect"), 0);
  EXPECT_EQ(transparent.front(), "SetBrush 0xff00000f clear");
}

TEST_F(RxLabelTest, DisabledLooksEngraved) {
  label.SetAutoSize(false);
  label.SetCaption("Jeudi");
  label.SetShadowSize(0);
  label.SetShadowColor(clPurple);
  host.enabled = false;
  const std::vector<std::string> calls = Paint();
  EXPECT_THAT(calls, ::testing::Contains("SetFont Tahoma -11 normal 0xff000011"));
  EXPECT_THAT(TextCalls(calls), ElementsAre("DrawText Jeudi (2,1,65,18) 0x40 0xff0014",
                                            "DrawText Jeudi (1,0,64,17) 0x40 0xff000011"));
  // With a shadow of its own it keeps its size and direction, in the light colour.
  label.SetShadowSize(2);
  EXPECT_THAT(TextCalls(Paint()), ElementsAre("DrawText Jeudi (-1,-2,62,15) 0x40 0xff0014",
                                              "DrawText Jeudi (1,0,64,17) 0x40 0xff000011"));
}

TEST_F(RxLabelTest, VerticalLayoutFollowsTheUnionBox) {
  label.SetAutoSize(false);
  label.SetBounds(0, 0, 80, 40);
  label.SetCaption("Mai");
  label.SetLayout(tlBottom);
  EXPECT_EQ(TextCalls(Paint())[3], "DrawText Mai (0,26,80,40) 0x40 0xff000008");
  label.SetLayout(tlCenter);
  EXPECT_EQ(TextCalls(Paint())[3], "DrawText Mai (0,12,80,26) 0x40 0xff000008");
  label.SetShadowPos(spRightBottom);
  // The union (1,0)-(20,14) is centred: (40 - 14) / 2 = 13.
  EXPECT_EQ(TextCalls(Paint())[3], "DrawText Mai (0,13,80,27) 0x40 0xff000008");
}

TEST_F(RxLabelTest, RightToLeftFlags) {
  host.rtlAlignment = true;
  host.rtlReading = true;
  label.SetAutoSize(false);
  label.SetCaption("Lundi");
  EXPECT_THAT(TextCalls(Paint()).back(), ::testing::HasSubstr(" 0x20042 "));  // left → right
  label.SetAlignment(taRightJustify);
  EXPECT_THAT(TextCalls(Paint()).back(), ::testing::HasSubstr(" 0x20040 "));  // right → left
  label.SetAlignment(taCenter);
  EXPECT_THAT(TextCalls(Paint()).back(), ::testing::HasSubstr(" 0x20041 "));
}

TEST_F(RxLabelTest, FocusRectangleWhileTheTargetHasTheFocus) {
  FakeFocusable edit;
  label.SetAutoSize(false);
  label.SetCaption("Jour");
  label.SetFocusControl(&edit);
  label.FocusChanged(&edit);
  EXPECT_TRUE(label.FocusTargetActive());
  EXPECT_EQ(CountCalls(Paint(), "FocusRect"), 0);  // ShowFocus is off
  label.SetShowFocus(true);
  EXPECT_EQ(Paint().back(), "FocusRect (-1,-1,65,17)");

  const int before = host.invalidations;
  FakeFocusable other;
  label.FocusChanged(&other);
  EXPECT_FALSE(label.FocusTargetActive());
  EXPECT_EQ(host.invalidations, before + 1);
  label.FocusChanged(nullptr);
  EXPECT_EQ(host.invalidations, before + 1);  // no change, no repaint
  EXPECT_EQ(CountCalls(Paint(), "FocusRect"), 0);
}

TEST_F(RxLabelTest, AcceleratorMovesTheFocus) {
  FakeFocusable edit;
  const int changes = host.acceleratorChanges;
  label.SetCaption("&Jour");
  EXPECT_FALSE(label.DialogChar(U'j'));  // no FocusControl yet
  label.SetFocusControl(&edit);
  EXPECT_EQ(host.acceleratorChanges, changes + 2);  // the host hears of each change
  EXPECT_TRUE(label.DialogChar(U'j'));
  EXPECT_TRUE(label.DialogChar(U'J'));
  EXPECT_EQ(edit.focused, 2);
  EXPECT_FALSE(label.DialogChar(U'o'));

  const struct {
    const char* caption;
    char32_t ch;
    bool handled;
    const char* spoken;  // what a screen reader reads
  } cases[] = {
      // Which character is the accelerator is the prefix parser's test; here the label's use.
      {"&&Jour", U'j', false, "&Jour"},
      {"&Mois &année", U'a', true, "Mois année"},
      {"&été", U'é', true, "été"},
      {"&été", U'É', false, "été"},  // only ASCII letters ignore case
  };
  for (const auto& c : cases) {
    label.SetCaption(c.caption);
    EXPECT_EQ(label.DialogChar(c.ch), c.handled) << c.caption;
    EXPECT_EQ(label.AccessibleText(), c.spoken) << c.caption;
  }

  label.SetCaption("&Jour");
  edit.canFocus = false;
  EXPECT_FALSE(label.DialogChar(U'j'));
  edit.canFocus = true;
  const int before = host.acceleratorChanges;
  label.SetShowAccelChar(false);
  EXPECT_EQ(host.acceleratorChanges, before + 1);
  EXPECT_FALSE(label.DialogChar(U'j'));
  label.SetShowAccelChar(true);
  host.enabled = false;
  EXPECT_FALSE(label.DialogChar(U'j'));
  EXPECT_EQ(edit.focused, 4);
}

TEST_F(RxLabelTest, FocusControlIsClearedWhenDestroyed) {
  auto edit = std::make_unique<FakeFocusable>();
  label.SetFocusControl(edit.get());
  label.SetShowFocus(true);
  edit.reset();
  EXPECT_EQ(label.FocusControl(), nullptr);
  EXPECT_FALSE(label.DialogChar(U'j'));

  // A label that goes first leaves nothing behind in its former target.
  FakeFocusable survivor;
  {
    FakeLabelHost h;
    TRxLabel shortLived{h};
    shortLived.SetFocusControl(&survivor);
  }
  // And a replaced target no longer reports to the label.
  FakeFocusable first;
  {
    FakeFocusable second;
    label.SetFocusControl(&second);
    label.SetFocusControl(&first);
  }
  EXPECT_EQ(label.FocusControl(), &first);
}

class PointerTest : public RxLabelTest {
 protected:
  std::vector<std::string> events;
  void SetUp() override {
    label.SetOnMouseEnter([this](TRxCustomLabel&) { events.push_back("enter"); });
    label.SetOnMouseLeave([this](TRxCustomLabel&) { events.push_back("leave"); });
    host.PointerOverActiveWindow(true);
  }
};

TEST_F(PointerTest, EnterAndLeaveAlternateOverTheActiveWindowOnly) {
  label.MouseEntered();
  label.MouseEntered();
  label.MouseLeft();
  label.MouseLeft();
  label.MouseEntered();
  // A press and release over the label reports nothing more.
  label.MouseDown(TMouseButton::mbLeft, 3, 3);
  label.MouseUp(TMouseButton::mbLeft, 3, 3);
  EXPECT_THAT(events, ElementsAre("enter", "leave", "enter"));
  EXPECT_TRUE(label.PointerInside());
  label.MouseLeft();

  // No enter without the active window, nor while disabled.
  events.clear();
  host.active = nullptr;
  label.MouseEntered();
  int other = 0;
  host.active = &other;  // active, but not one of this thread's windows
  label.MouseEntered();
  host.PointerOverActiveWindow(true);
  host.enabled = false;
  label.MouseEntered();
  EXPECT_TRUE(events.empty());
  host.enabled = true;
  label.MouseEntered();
  EXPECT_THAT(events, ElementsAre("enter"));
}

TEST_F(PointerTest, OnlyTheLeftButtonHoldsAndALeaveWhileHeldIsReportedOnRelease) {
  label.MouseEntered();
  label.MouseDown(TMouseButton::mbLeft, 3, 3);
  EXPECT_TRUE(label.LeftButtonHeld());
  host.topmost = false;
  host.cursor = {900, 900};
  label.MouseLeft();
  EXPECT_THAT(events, ElementsAre("enter"));
  label.MouseUp(TMouseButton::mbLeft, 200, 200);
  EXPECT_FALSE(label.LeftButtonHeld());
  EXPECT_THAT(events, ElementsAre("enter", "leave"));
  EXPECT_FALSE(label.PointerInside());
  // The platform's own leave, arriving afterwards, finds nothing to report.
  label.MouseLeft();
  EXPECT_THAT(events, ElementsAre("enter", "leave"));

  // The other buttons do not hold; painting while disabled lets go.
  label.MouseDown(TMouseButton::mbRight, 1, 1);
  label.MouseDown(TMouseButton::mbMiddle, 1, 1);
  EXPECT_FALSE(label.LeftButtonHeld());
  label.MouseDown(TMouseButton::mbLeft, 1, 1);
  host.enabled = false;
  Paint();
  EXPECT_FALSE(label.LeftButtonHeld());
  host.enabled = true;
  label.MouseDown(TMouseButton::mbLeft, 1, 1);
  label.MouseUp(TMouseButton::mbRight, 1, 1);
  EXPECT_TRUE(label.LeftButtonHeld());  // only the left release clears it
}

TEST_F(PointerTest, RefreshRunsAfterButtonsEnablingAndShowing) {
  const struct {
    const char* name;
    std::function<void(TRxLabel&)> act;
  } triggers[] = {
      {"MouseUp", [](TRxLabel& l) { l.MouseUp(TMouseButton::mbMiddle, 0, 0); }},
      {"WMRButtonDown", [](TRxLabel& l) { l.WMRButtonDown(0, 0); }},
      {"WMRButtonUp", [](TRxLabel& l) { l.WMRButtonUp(0, 0); }},
      {"EnabledChanged", [](TRxLabel& l) { l.EnabledChanged(); }},
      {"VisibleChanged", [](TRxLabel& l) { l.VisibleChanged(); }},
  };
  for (const auto& t : triggers) {
    events.clear();
    host.topmost = true;
    t.act(label);
    EXPECT_THAT(events, ElementsAre("enter")) << t.name;
    host.topmost = false;
    t.act(label);
    EXPECT_THAT(events, ElementsAre("enter", "leave")) << t.name;
  }
  // Hidden: no check.
  events.clear();
  host.topmost = true;
  host.visible = false;
  label.VisibleChanged();
  EXPECT_TRUE(events.empty());
  // Disabled: the pointer counts as outside.
  host.visible = true;
  label.EnabledChanged();
  host.enabled = false;
  label.EnabledChanged();
  EXPECT_THAT(events, ElementsAre("enter", "leave"));
}

TEST_F(RxLabelTest, ClicksNeedPressAndReleaseOnTheLabel) {
  int clicks = 0;
  label.SetOnClick([&](TRxCustomLabel&) { ++clicks; });
  label.MouseDown(TMouseButton::mbLeft, 2, 2);
  label.MouseUp(TMouseButton::mbLeft, 2, 2);
  label.MouseDown(TMouseButton::mbLeft, 2, 2);
  label.MouseUp(TMouseButton::mbLeft, 500, 2);
  label.MouseUp(TMouseButton::mbLeft, 2, 2);
  label.MouseDown(TMouseButton::mbRight, 2, 2);
  label.MouseUp(TMouseButton::mbRight, 2, 2);
  EXPECT_EQ(clicks, 1);
}

TEST_F(RxLabelTest, ParentFontAndColourUntilItsOwnAreSet) {
  EXPECT_EQ(label.Font(), host.parentFont);
  host.parentFont.Height = -14;
  EXPECT_EQ(label.Font().Height, -14);
  label.SetFont({"Arial", -20, clPurple});
  EXPECT_FALSE(label.ParentFont());
  host.parentFont.Height = -9;
  EXPECT_EQ(label.Font().Height, -20);
  label.SetParentFont(true);
  EXPECT_EQ(label.Font().Height, -9);

  EXPECT_EQ(label.Color(), clBtnFace);
  const int before = host.invalidations;
  label.ParentColorChanged();
  EXPECT_EQ(host.invalidations, before + 1);
  label.SetColor(clWhite);
  host.parentColor = clPurple;
  EXPECT_EQ(label.Color(), clWhite);
  label.SetParentColor(true);
  EXPECT_EQ(label.Color(), clPurple);
}

}  // namespace
}  // namespace dorvane
