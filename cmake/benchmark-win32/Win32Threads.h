// Google Benchmark's porting hook for the win32 thread model of mingw-w64 (GCC 12), whose
// standard library has no std::mutex, std::condition_variable or running std::thread. Included
// ahead of every source of the library (and only of the library): the three on the system's
// own primitives, all present on Windows XP (critical sections, threads; no kernel condition
// variable, which XP lacks). The library uses threads only for benchmarks run with ->Threads(n)
// and n > 1, which Dorvane's benchmarks never ask for.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace std {

class mutex {
 public:
  mutex() { InitializeCriticalSection(&section_); }
  ~mutex() { DeleteCriticalSection(&section_); }
  mutex(const mutex&) = delete;
  mutex& operator=(const mutex&) = delete;
  void lock() { EnterCriticalSection(&section_); }
  bool try_lock() { return TryEnterCriticalSection(&section_) != 0; }
  void unlock() { LeaveCriticalSection(&section_); }

 private:
  CRITICAL_SECTION section_;
};

// A waiter gives the mutex up, lets the other threads run and takes it back: a wake-up that
// the standard allows to be spurious, so every caller already checks its condition again.
class condition_variable {
 public:
  void notify_one() noexcept {}
  void notify_all() noexcept {}
  void wait(unique_lock<mutex>& lock) {
    lock.unlock();
    SwitchToThread();
    lock.lock();
  }
  template <typename Predicate>
  void wait(unique_lock<mutex>& lock, Predicate ready) {
    while (!ready()) wait(lock);
  }
};

// The part of std::thread that the library uses: start with arguments, move, join.
class dorvane_thread {
 public:
  dorvane_thread() = default;
  template <typename F, typename... Args>
  explicit dorvane_thread(F&& f, Args&&... args) {
    std::unique_ptr<std::function<void()>> body(
        new std::function<void()>(std::bind(std::forward<F>(f), std::forward<Args>(args)...)));
    handle_ = CreateThread(nullptr, 0, &Run, body.get(), 0, nullptr);
    if (handle_ == nullptr)
      throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                              "CreateThread");
    body.release();
  }
  dorvane_thread(dorvane_thread&& other) noexcept : handle_(other.handle_) {
    other.handle_ = nullptr;
  }
  dorvane_thread& operator=(dorvane_thread&& other) noexcept {
    if (joinable()) std::terminate();
    handle_ = other.handle_;
    other.handle_ = nullptr;
    return *this;
  }
  ~dorvane_thread() {
    if (joinable()) std::terminate();
  }
  bool joinable() const noexcept { return handle_ != nullptr; }
  void join() {
    WaitForSingleObject(handle_, INFINITE);
    CloseHandle(handle_);
    handle_ = nullptr;
  }

 private:
  static DWORD WINAPI Run(LPVOID parameter) {
    std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(parameter));
    (*body)();
    return 0;
  }
  HANDLE handle_ = nullptr;
};

}  // namespace std

// The library names it std::thread (and its variables thread); the standard headers that
// mention the name are all included above, so the renaming reaches the library's code alone.
#define thread dorvane_thread
