#pragma once

// The window manager's close of one window (its close button, Alt+F4), caught while a catcher
// lives. Qt drops a close of a window that a modal window blocks before any widget sees it, so
// on X the request is taken from the server's events ahead of Qt. Elsewhere nothing is caught
// and the close reaches the window as usual.

#include <QAbstractNativeEventFilter>
#include <QWidget>
#include <cstdint>
#include <functional>

namespace kyrovane::gui {

class TWindowCloseCatcher final : public QAbstractNativeEventFilter {
 public:
  // `onClose` runs for each close of `window` asked for while the catcher lives; the request
  // goes no further.
  TWindowCloseCatcher(const QWidget& window, std::function<void()> onClose);
  ~TWindowCloseCatcher() override;
  TWindowCloseCatcher(const TWindowCloseCatcher&) = delete;
  TWindowCloseCatcher& operator=(const TWindowCloseCatcher&) = delete;

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  uint32_t window_ = 0;
  uint32_t protocols_ = 0;  // WM_PROTOCOLS
  uint32_t delete_ = 0;     // WM_DELETE_WINDOW
  std::function<void()> onClose_;
};

}  // namespace kyrovane::gui
