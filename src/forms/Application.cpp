#include "forms/Application.h"

#include <new>
#include <stdexcept>

#include "dates/ErrorText.h"
#include "forms/Handlers.h"
#include "platform/Services.h"

namespace dorvane {

namespace {

ApplicationHooks* current = nullptr;

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

void SystemBeep() {
  if (const auto& sound = platform::ActiveServices().beep) {
    sound();
  } else if (current != nullptr) {
    current->SoundBeep();
  }
}

ApplicationHooks::ApplicationHooks() {
  current = this;
  SetFailureSink([](std::exception_ptr failure) {
    if (current != nullptr) current->HandleException(std::move(failure));
  });
}

ApplicationHooks::~ApplicationHooks() {
  SetFailureSink(nullptr);
  current = nullptr;
}

void ApplicationHooks::SetTitle(std::string_view title) {
  title_ = std::string(title);
  ApplyTitle(title_);
}

void ApplicationHooks::HandleException(std::exception_ptr failure) {
  ShowFailure(*this, title_, std::move(failure));
}

bool ApplicationHooks::LocaleChanged() {
  if (!onLocaleChange_) return false;
  RunHandler(onLocaleChange_);
  return true;
}

void ApplicationHooks::ShowErrorBox(std::string_view title, std::string_view text) {
  if (errorBox_) {
    errorBox_(std::string(text));
  } else {
    ShowSystemErrorBox(title, text);
  }
}

}  // namespace dorvane
