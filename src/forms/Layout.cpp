#include "forms/Layout.h"

namespace dorvane {

const ControlLayout* FindControl(const WindowLayout& window, std::string_view name) {
  for (const ControlLayout& row : window.controls) {
    if (row.name == name) return &row;
  }
  return nullptr;
}

}  // namespace dorvane
