#include "forms/Handlers.h"

namespace dorvane {

namespace {
FailureSink failureSink = nullptr;
}  // namespace

void SetFailureSink(FailureSink sink) {
  failureSink = sink;
}

void DeliverFailure(std::exception_ptr failure) noexcept {
  // Without the application object nothing could show the failure: a programming error.
  const FailureSink sink = platform::ActiveServices().failureSink != nullptr
                               ? platform::ActiveServices().failureSink
                               : failureSink;
  if (sink == nullptr) std::terminate();
  try {
    sink(std::move(failure));
  } catch (...) {
    std::terminate();
  }
}

}  // namespace dorvane
