// The application's top-level handler: the error box's text and order of steps.
#include <gtest/gtest.h>

#include <exception>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "dates/ConvertError.h"
#include "forms/Application.h"

namespace dorvane {
namespace {

class FakeApplicationView final : public ApplicationView {
 public:
  void CancelMouseCapture() override { calls.push_back("CancelMouseCapture"); }
  void ShowErrorBox(std::string_view title, std::string_view text) override {
    calls.push_back(std::string(title) + ": " + std::string(text));
  }
  std::vector<std::string> calls;
};

template <class Failure>
std::exception_ptr Raised(Failure failure) {
  try {
    throw failure;
  } catch (...) {
    return std::current_exception();
  }
}

// A failure's own message, with the full stop of the error box's rule (its table is with
// ErrorBoxText's); French texts for failures without a message of their own.
TEST(ApplicationTest, BoxText) {
  const struct {
    std::exception_ptr failure;
    const char* shown;
  } cases[] = {
      {Raised(EConvertError("accentué")), "accentué."},
      {Raised(42), "Erreur inattendue."},
      {Raised(std::bad_alloc()), "Mémoire insuffisante."},
  };
  for (const auto& c : cases) EXPECT_EQ(FailureBoxText(c.failure), c.shown) << c.shown;
}

TEST(ApplicationTest, MouseCaptureIsCancelledBeforeTheBoxTitledWithTheApplication) {
  FakeApplicationView view;
  ShowFailure(view, kApplicationTitle, Raised(std::runtime_error("Pas de chance")));
  EXPECT_EQ(view.calls,
            (std::vector<std::string>{"CancelMouseCapture", "Dorvane: Pas de chance."}));
}

}  // namespace
}  // namespace dorvane
