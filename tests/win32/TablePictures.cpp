#include <set>
#include <string>

#include "forms/About.h"
#include "forms/MainForm.h"
#include "forms/_Recherche.h"

namespace dorvane::win32 {

std::set<std::string> TablePictures() {
  std::set<std::string> names;
  for (const WindowLayout* layout : {&TForm1::kLayout, &TForm2::kLayout, &TFAbout::kLayout}) {
    if (!layout->icon.empty()) names.emplace(layout->icon);
    for (const auto image : layout->images) names.emplace(image);
    for (const ControlLayout& control : layout->controls) {
      if (control.kind == ControlKind::kPicture && !control.text.empty()) {
        names.emplace(control.text);
      }
    }
  }
  return names;
}

}  // namespace dorvane::win32
