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

TEST(ApplicationTest, BoxTextGetsAFinalFullStopAfterAnyCharacterAboveIt) {
  const struct {
    const char* message;
    const char* shown;
  } cases[] = {
      {"'' n'est pas une valeur entière correcte", "'' n'est pas une valeur entière correcte."},
      {"Argument incorrect pour l'encodage de date", "Argument incorrect pour l'encodage de date."},
      {"Déjà fini.", "Déjà fini."},
      {"Attention !", "Attention !"},
      {"(entre parenthèses)", "(entre parenthèses)"},
      {"blanc ", "blanc "},
      {"", ""},
      {"trait-", "trait-"},
      {"barre/", "barre/."},
      {"accentué", "accentué."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FailureBoxText(Raised(EConvertError(c.message))), c.shown) << c.message;
  }
}

TEST(ApplicationTest, FailuresWithoutAMessageOfTheirOwnGetAFrenchOne) {
  EXPECT_EQ(FailureBoxText(Raised(42)), "Erreur inattendue.");
  EXPECT_EQ(FailureBoxText(Raised(std::bad_alloc())), "Mémoire insuffisante.");
}

TEST(ApplicationTest, MouseCaptureIsCancelledBeforeTheBoxTitledWithTheApplication) {
  FakeApplicationView view;
  ShowFailure(view, kApplicationTitle, Raised(std::runtime_error("Pas de chance")));
  EXPECT_EQ(view.calls,
            (std::vector<std::string>{"CancelMouseCapture", "Dorvane: Pas de chance."}));
}

}  // namespace
}  // namespace dorvane
