#include "framework/qt/window_manager.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace fw::qt {

namespace {

xcb_connection_t* Connection() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> reply(
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(strlen(name)), name),
                            nullptr),
      &free);
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The value of a window's property, as its raw bytes.
std::vector<char> Property(xcb_connection_t* c, xcb_window_t window, xcb_atom_t name,
                           xcb_atom_t type) {
  std::unique_ptr<xcb_get_property_reply_t, decltype(&free)> reply(
      xcb_get_property_reply(c, xcb_get_property(c, 0, window, name, type, 0, 1024), nullptr),
      &free);
  if (!reply || reply->type != type) return {};
  auto* bytes = static_cast<const char*>(xcb_get_property_value(reply.get()));
  return {bytes, bytes + xcb_get_property_value_length(reply.get())};
}

}  // namespace

QString WindowManagerName() {
  xcb_connection_t* c = Connection();
  if (!c) return {};
  xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  std::vector<char> check = Property(c, root, Atom(c, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW);
  if (check.size() != sizeof(xcb_window_t)) return {};
  xcb_window_t manager;
  memcpy(&manager, check.data(), sizeof manager);
  std::vector<char> name = Property(c, manager, Atom(c, "_NET_WM_NAME"), Atom(c, "UTF8_STRING"));
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

void FrameAsToolBar(QWidget* top) {
  xcb_connection_t* c = Connection();
  if (!c || !top) return;
  // The native window is made now, so that the type stands before the
  // window manager first sees the window; the toolkit leaves it as set.
  // (Asking for its id would make the widgets beside it native too.)
  top->createWinId();
  auto window = static_cast<xcb_window_t>(top->internalWinId());
  // A window manager that knows no tool bars takes the dialog instead.
  xcb_atom_t types[] = {Atom(c, "_NET_WM_WINDOW_TYPE_TOOLBAR"),
                        Atom(c, "_NET_WM_WINDOW_TYPE_DIALOG")};
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, Atom(c, "_NET_WM_WINDOW_TYPE"),
                      XCB_ATOM_ATOM, 32, 2, types);
  xcb_flush(c);
}

}  // namespace fw::qt
