#include "forms/About.h"

#include <algorithm>
#include <array>
#include <exception>

#include "dates/DateLocale.h"
#include "forms/AboutMemory.h"
#include "forms/AboutTexts.h"
#include "platform/MemoryStatus.h"
#include "text/Utf8.h"

namespace dorvane {

namespace {

constexpr FontStyle kProductNameFont{.height = -13, .color = clBlack, .bold = true};

constexpr std::array kControls{
    ControlLayout{.name = "Image1", .kind = ControlKind::kPicture, .text = "about-banner"},
    // The logo on the banner: twice the icon's own 32 pixels, so its one-pixel strokes stay
    // on whole pixels.
    ControlLayout{.name = "Logo",
                  .kind = ControlKind::kPicture,
                  .parent = "Image1",
                  .left = 8,
                  .top = 6,
                  .width = 64,
                  .height = 64,
                  .text = "dorvane"},
    ControlLayout{.name = "lblPhysMem", .kind = ControlKind::kLabel, .left = 86, .top = 173},
    ControlLayout{.name = "lblPhysRes", .kind = ControlKind::kLabel, .left = 86, .top = 193},
    // Black, with Line2 a pixel lower in white: an etched line. The layout gives the lines no
    // height: each keeps its own until its first paint makes it ten pen widths thick.
    ControlLayout{.name = "Line1",
                  .kind = ControlKind::kLine,
                  .left = 86,
                  .top = 158,
                  .width = 196,
                  .line = ltHorizontal},
    ControlLayout{.name = "Line2",
                  .kind = ControlKind::kLine,
                  .left = 86,
                  .top = 159,
                  .width = 196,
                  .line = ltHorizontal,
                  .penColor = clWhite},
    ControlLayout{.name = "Label1",
                  .kind = ControlKind::kLabel,
                  .left = 88,
                  .top = 96,
                  .font = &kProductNameFont},
    ControlLayout{.name = "Label2", .kind = ControlKind::kLabel, .left = 88, .top = 120},
    ControlLayout{.name = "Label3", .kind = ControlKind::kLabel, .left = 88, .top = 136},
    ControlLayout{.name = "FImage",
                  .kind = ControlKind::kPicture,
                  .left = 23,
                  .top = 95,
                  .width = 34,
                  .height = 34},
    ControlLayout{.name = "Button1",
                  .kind = ControlKind::kButton,
                  .left = 208,
                  .top = 223,
                  .width = 74,
                  .height = 26,
                  .text = "OK",
                  .tabOrder = 0,
                  .onEvent = On<&TFAbout::Button1Click>},
};

}  // namespace

const WindowLayout TFAbout::kLayout{
    .name = "FAbout",
    .caption = "A propos de...",
    .clientWidth = 294,
    .clientHeight = 268,
    .border = BorderStyle::kDialog,
    .borderIcons = biSystemMenu,
    .icon = {},
    .font = {.color = clBlack},
    .firstFocus = "Button1",
    .controls = kControls,
};

void TFAbout::FormCreate() {
  view_.ShowApplicationIcon("FImage");
  view_.Beep();
  const platform::MemoryFigures memory = platform::ActiveMemoryStatus().Query();
  view_.SetText("lblPhysMem",
                PhysicalMemoryText(memory.totalPhysicalBytes, CurrentDateLocale().ThousandSep));
  view_.SetText("lblPhysRes", FreeMemoryText(memory.memoryLoad));
}

void TFAbout::Button1Click() {
  view_.Close();
}

int FittedAboutWidth(const AboutDialog& dialog) {
  const WindowLayout& layout = TFAbout::kLayout;
  const ControlLayout* ok = FindControl(layout, "Button1");
  const int margin = layout.clientWidth - (ok->left + ok->width);
  int width = layout.clientWidth;
  for (const std::string_view text : {"Label1", "Label2", "Label3", "lblPhysMem", "lblPhysRes"}) {
    width = std::max(width, dialog.ControlRight(text) + margin);
  }
  return width;
}

void WidenAbout(AboutDialog& dialog, int width) {
  const WindowLayout& layout = TFAbout::kLayout;
  if (width == layout.clientWidth) return;
  dialog.SetClientWidth(width);
  dialog.PlaceHorizontally("Image1", 0, width);
  const ControlLayout* ok = FindControl(layout, "Button1");
  dialog.PlaceHorizontally("Button1", ok->left + width - layout.clientWidth, ok->width);
}

TAboutBox::TAboutBox(AboutBoxHost& owner) : owner_(owner), copyright_(kMakerNotice) {}

void TAboutBox::SetProductName(std::string_view value) {
  productName_ = FirstCodePoints(value, kAboutTextLimit);
}

void TAboutBox::SetVersion(std::string_view value) {
  version_ = FirstCodePoints(value, kAboutTextLimit);
}

void TAboutBox::SetCopyright(std::string_view value) {
  copyright_ = FirstCodePoints(value, kAboutTextLimit);
}

void TAboutBox::Execute() {
  std::unique_ptr<AboutDialog> dialog;
  try {
    dialog = owner_.CreateAboutDialog();
  } catch (const std::exception&) {
    owner_.Beep();
    return;
  }
  FormView& view = dialog->View();
  view.SetText("Label1", productName_);
  view.SetText("Label2", version_);
  view.SetText("Label3", copyright_);
  WidenAbout(*dialog, FittedAboutWidth(*dialog));
  dialog->ShowModal();
}

}  // namespace dorvane
