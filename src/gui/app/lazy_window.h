#pragma once
// A side window made the first time it is needed. Most side windows of the
// main window are never opened in a session; building them all at start
// delays the main window for nothing.

#include <functional>
#include <utility>

namespace tavolo {

template <class Window>
class LazyWindow {
 public:
  LazyWindow() = default;
  explicit LazyWindow(std::function<Window*()> make) : make_(std::move(make)) {}

  // The window, made now if it was not yet. The maker gives it a parent (or
  // its owner deletes it): this holder never does.
  Window* Get() {
    if (window_ == nullptr && make_) window_ = make_();
    return window_;
  }
  Window* operator->() { return Get(); }
  Window& operator*() { return *Get(); }
  bool Made() const { return window_ != nullptr; }

 private:
  std::function<Window*()> make_;
  Window* window_ = nullptr;
};

}  // namespace tavolo
