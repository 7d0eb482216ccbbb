#pragma once

namespace dorvane {

// Horizontal placement of text.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

}  // namespace dorvane
