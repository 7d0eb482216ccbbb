#pragma once

#include <cstddef>
#include <string_view>

namespace dorvane {

// The longest product text the About box keeps, in characters (code points).
inline constexpr std::size_t kAboutTextLimit = 100;

// Our notice, the About box's Copyright until the main window sets one: 30 characters.
inline constexpr std::string_view kMakerNotice = "© 2026, les auteurs de Dorvane";

}  // namespace dorvane
