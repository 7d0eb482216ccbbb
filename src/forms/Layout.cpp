#include "forms/Layout.h"

#include <algorithm>

namespace dorvane {

const ControlLayout* FindControl(const WindowLayout& window, std::string_view name) {
  for (const ControlLayout& row : window.controls) {
    if (row.name == name) return &row;
  }
  return nullptr;
}

bool RefusedEditKey(std::uint16_t key, TShiftState shift) {
  struct Refused {
    std::uint16_t key;
    TShiftState shift;
  };
  static constexpr Refused kRefused[] = {
      {VK_INSERT, ssShift}, {VK_DELETE, ssShift}, {VK_BACK, ssAlt}, {VK_BACK, ssAlt | ssShift},
      {VK_F1 + 17, 0},      {VK_F1 + 19, 0},      {VK_F1 + 13, 0}};
  return std::any_of(std::begin(kRefused), std::end(kRefused), [&](const Refused& r) {
    return r.key == key && (shift & (ssShift | ssAlt | ssCtrl)) == r.shift;
  });
}

std::string_view FocusKeyTarget(const WindowLayout& window, std::uint16_t key, TShiftState shift) {
  constexpr std::uint16_t kF6 = VK_F1 + 5;
  if (key != kF6 || (shift & (ssAlt | ssCtrl)) != 0) return {};
  const auto grid =
      std::find_if(window.controls.begin(), window.controls.end(),
                   [](const ControlLayout& row) { return row.kind == ControlKind::kCalendar; });
  return grid != window.controls.end() ? grid->name : std::string_view();
}

std::optional<int> PanelTextStretch(int room, const std::function<int(int stretch)>& widthAt) {
  for (const int stretch : kPanelTextStretches) {
    if (widthAt(stretch) <= room) return stretch;
  }
  return std::nullopt;
}

std::vector<const ControlLayout*> TabChain(const WindowLayout& window) {
  std::vector<const ControlLayout*> chain;
  const auto visit = [&](const auto& self, std::string_view parent) -> void {
    std::vector<const ControlLayout*> children;
    for (const ControlLayout& row : window.controls) {
      if (row.parent == parent && row.tabOrder != kNoTabStop) children.push_back(&row);
    }
    std::stable_sort(
        children.begin(), children.end(),
        [](const ControlLayout* a, const ControlLayout* b) { return a->tabOrder < b->tabOrder; });
    for (const ControlLayout* row : children) {
      if (row->kind == ControlKind::kEdit || row->kind == ControlKind::kButton) {
        chain.push_back(row);
      }
      self(self, row->name);
    }
  };
  visit(visit, {});
  return chain;
}

std::vector<MenuLayout> MenuTree(const WindowLayout& window) {
  std::vector<MenuLayout> menus;
  for (std::size_t i = 0; i < window.menu.size(); ++i) {
    const MenuItemLayout& row = window.menu[i];
    if (row.menu.empty()) {
      menus.push_back({i, {}});
      continue;
    }
    const auto owner = std::find_if(menus.begin(), menus.end(), [&](const MenuLayout& m) {
      return window.menu[m.row].name == row.menu;
    });
    if (owner != menus.end()) owner->items.push_back(i);
  }
  return menus;
}

}  // namespace dorvane
