#pragma once

#include <exception>
#include <utility>

#include "forms/Layout.h"
#include "platform/Services.h"

namespace dorvane {

// Where a failure of an event handler goes: the application's top-level handler, which shows
// the error box. Set by the application object for its lifetime; a test may put another in
// place through platform::Services.
using platform::FailureSink;
void SetFailureSink(FailureSink sink);
void DeliverFailure(std::exception_ptr failure) noexcept;

// Runs an event handler of ours. Qt must never unwind an exception through its own frames, so
// every handler connected to a signal goes through here and hands its failure on.
template <class Handler>
void RunHandler(Handler&& handler) noexcept {
  try {
    std::forward<Handler>(handler)();
  } catch (...) {
    DeliverFailure(std::current_exception());
  }
}

// Runs a table row's handler on its form, as above; a row without one runs nothing.
inline void RunOn(TForm& form, Handler handler) noexcept {
  if (handler != nullptr) RunHandler([&] { (form.*handler)(); });
}

}  // namespace dorvane
