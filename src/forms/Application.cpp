#include "forms/Application.h"

#include <new>
#include <stdexcept>

#include "dates/ErrorText.h"

namespace dorvane {

namespace {

std::string FailureMessage(std::exception_ptr failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const std::bad_alloc&) {
    return "Mémoire insuffisante";
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "Erreur inattendue";
  }
}

}  // namespace

std::string FailureBoxText(std::exception_ptr failure) {
  return ErrorBoxText(FailureMessage(std::move(failure)));
}

void ShowFailure(ApplicationView& view, std::string_view title, std::exception_ptr failure) {
  view.CancelMouseCapture();
  view.ShowErrorBox(title, FailureBoxText(std::move(failure)));
}

}  // namespace dorvane
