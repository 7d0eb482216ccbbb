#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "cli/FrontEnd.h"

namespace dorvane::win32 {

class TApplication;
class MainWindow;
class SearchWindow;

// The program's windows on Win32, for RunWindows.
class Win32FrontEnd final : public FrontEnd {
 public:
  Win32FrontEnd();
  ~Win32FrontEnd() override;

  void CreateApplication(std::string_view title, std::function<void()> onLocaleChange) override;
  void CreateWindows() override;
  void DestroyWindows() override;
  TForm1& MainForm() override;
  TForm2& SearchForm() override;
  void HandleFailure(std::exception_ptr failure) override;
  void RedirectErrorBox(std::function<void(const std::string& text)> box) override;
  void ShowMainWindow() override;
  int RunEventLoop() override;
  void Settle(ScreenshotWindow window) override;
  bool SaveWindow(ScreenshotWindow window, const std::string& file) override;
  bool SaveModalDialog(const std::function<void()>& open, const std::string& file) override;

 private:
  std::unique_ptr<TApplication> app_;
  std::unique_ptr<MainWindow> main_;
  std::unique_ptr<SearchWindow> search_;
};

}  // namespace dorvane::win32
