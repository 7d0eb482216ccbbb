#include "HtmlHelp.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QThread>
#include <type_traits>
#include <vector>

#include "HelpWindow.h"

namespace dorvane::helpviewer {
namespace {

bool OnGuiThread() {
  const QCoreApplication* app = QCoreApplication::instance();
  return qobject_cast<const QApplication*>(app) != nullptr &&
         QThread::currentThread() == app->thread();
}

// Every window this plugin opened and has not yet destroyed. Windows are destroyed only here,
// synchronously: a deferred deletion could run after the program has unloaded the plugin.
// Should the plugin be unloaded with windows still open, they go with it, since their code
// would be gone.
struct WindowList {
  std::vector<QPointer<HelpWindow>> windows;
  ~WindowList() {
    if (!OnGuiThread()) return;
    for (QPointer<HelpWindow>& w : windows) delete w.data();
  }
};

std::vector<QPointer<HelpWindow>>& OpenWindows() {
  static WindowList list;
  return list.windows;
}

// Windows the user has closed are hidden, not destroyed; they go at the next call.
void DestroyClosedWindows() {
  std::vector<QPointer<HelpWindow>>& windows = OpenWindows();
  std::vector<QPointer<HelpWindow>> kept;
  for (QPointer<HelpWindow>& w : windows) {
    if (w.isNull()) continue;
    if (w->isVisible())
      kept.push_back(w);
    else
      delete w.data();
  }
  windows.swap(kept);
}

void* Display(const QString& file) {
  DestroyClosedWindows();
  auto* window = new HelpWindow(file);
  OpenWindows().emplace_back(window);
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

void CloseAll() {
  std::vector<QPointer<HelpWindow>> windows;
  windows.swap(OpenWindows());
  for (QPointer<HelpWindow>& w : windows) delete w.data();
}

void* Dispatch(const QString& file, unsigned int command) {
  if (!OnGuiThread()) return nullptr;
  try {
    switch (command) {
      case kDisplayTopic:
        return Display(file);
      case kCloseAll:
        CloseAll();
        return nullptr;
      default:
        return nullptr;
    }
  } catch (...) {
    // Nothing may unwind into the caller, which knows only a C function.
    return nullptr;
  }
}

}  // namespace
}  // namespace dorvane::helpviewer

extern "C" void* HtmlHelpA(void* /*hwndCaller*/, const char* file, unsigned int command,
                           std::uintptr_t /*data*/) {
  return dorvane::helpviewer::Dispatch(file ? QFile::decodeName(file) : QString(), command);
}

extern "C" void* HtmlHelpW(void* /*hwndCaller*/, const char16_t* file, unsigned int command,
                           std::uintptr_t /*data*/) {
  return dorvane::helpviewer::Dispatch(file ? QString::fromUtf16(file) : QString(), command);
}

// The exports have the very type the program calls them through.
static_assert(std::is_same_v<decltype(&HtmlHelpA), dorvane::HtmlHelpAProc>);
static_assert(std::is_same_v<decltype(&HtmlHelpW), dorvane::HtmlHelpWProc>);
