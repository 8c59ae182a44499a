#pragma once
// Holders of platform handles: one handle, whether this holder owns it, and the action that
// releases it, run at destruction when owned. Fonts, bitmaps, icons, image lists and device
// contexts are built on it.
#include <functional>
#include <utility>

namespace TtUtility {

template <class Handle>
class WindowsHandleHolder {
public:
  WindowsHandleHolder() = default;
  WindowsHandleHolder(Handle handle, bool owned, std::function<void()> release)
      : handle_(handle), owned_(owned), release_(std::move(release)) {}
  WindowsHandleHolder(const WindowsHandleHolder&) = delete;
  WindowsHandleHolder& operator=(const WindowsHandleHolder&) = delete;
  WindowsHandleHolder(WindowsHandleHolder&& other) noexcept { *this = std::move(other); }
  WindowsHandleHolder& operator=(WindowsHandleHolder&& other) noexcept {
    if (this != &other) {
      Release();
      handle_ = std::exchange(other.handle_, Handle{});
      owned_ = std::exchange(other.owned_, false);
      release_ = std::move(other.release_);
      other.release_ = nullptr;
    }
    return *this;
  }
  virtual ~WindowsHandleHolder() { Release(); }

  Handle GetHandle() const { return handle_; }
  bool IsOwned() const { return owned_; }

protected:
  void Release() {
    if (owned_ && release_) release_();
    owned_ = false;
    release_ = nullptr;
  }

private:
  Handle handle_{};
  bool owned_ = false;
  std::function<void()> release_;
};

}  // namespace TtUtility
