#include "app/gui/WindowManagerClose.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace kyrovane::gui {
namespace {

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  const xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
  if (!reply) return XCB_ATOM_NONE;
  const xcb_atom_t atom = reply->atom;
  std::free(reply);
  return atom;
}

}  // namespace

TWindowCloseCatcher::TWindowCloseCatcher(const QWidget& window, std::function<void()> onClose)
    : onClose_(std::move(onClose)) {
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  // Without an X server (offscreen) there is no connection either.
  xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
  if (!connection || !window.windowHandle()) return;
  window_ = static_cast<uint32_t>(window.winId());
  protocols_ = Atom(connection, "WM_PROTOCOLS");
  delete_ = Atom(connection, "WM_DELETE_WINDOW");
  qGuiApp->installNativeEventFilter(this);
}

TWindowCloseCatcher::~TWindowCloseCatcher() {
  if (qGuiApp) qGuiApp->removeNativeEventFilter(this);
}

bool TWindowCloseCatcher::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  if ((event->response_type & ~0x80) != XCB_CLIENT_MESSAGE) return false;
  const auto* client = static_cast<const xcb_client_message_event_t*>(message);
  if (client->window != window_ || client->format != 32 || client->type != protocols_ ||
      client->data.data32[0] != delete_) {
    return false;
  }
  onClose_();
  return true;
}

}  // namespace kyrovane::gui
