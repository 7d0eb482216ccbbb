#pragma once

namespace dorvane {

// The mouse button of a press or release, as the controls receive it from their host.
enum class TMouseButton { mbLeft, mbRight, mbMiddle };

}  // namespace dorvane
