// Layout streams applied to the framework's real window and control classes,
// whose setters pass the values on to the toolkit. The first byte picks the
// class, the rest is the stream. A malformed stream may only be refused with
// one of the framework's own failures; whatever the stream set, the object
// must stay usable afterwards.

#include <QCoreApplication>
#include <QEvent>
#include <QtGlobal>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "framework/controls/check_box.h"
#include "framework/controls/edit_field.h"
#include "framework/controls/listbox.h"
#include "framework/controls/push_button.h"
#include "framework/controls/radio_button.h"
#include "framework/controls/static_text.h"
#include "framework/property_stream/property_stream.h"
#include "framework/runtime/runtime.h"
#include "framework/window/window.h"
#include "fuzz_check.h"

namespace {

// Streams full of odd sizes make the toolkit warn on every run; only what
// would end the run is worth showing.
void QuietToolkit(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtDebugMsg || type == QtInfoMsg || type == QtWarningMsg) return;
  std::fprintf(stderr, "toolkit: %s\n", qPrintable(message));
}

const fw::ClassRecord& ControlClass(uint8_t kind) {
  switch (kind) {
    case 1:
      return fw::Listbox::Lookup();
    case 2:
      return fw::StaticText::Lookup();
    case 3:
      return fw::PushButton::Lookup();
    case 4:
      return fw::CheckBox::Lookup();
    case 5:
      return fw::RadioButton::Lookup();
    default:
      return fw::EditField::Lookup();
  }
}

// What a window that owns such a list would read from it.
void ReadBack(const fw::Listbox& list) {
  const int32_t columns = list.ColumnCount();
  FUZZ_CHECK(columns >= 1 && columns <= fw::Listbox::kMaxColumns);
  const int32_t rows = list.ListCount();
  FUZZ_CHECK(rows >= 0);
  for (int32_t c = -1; c <= columns; ++c) {
    FUZZ_CHECK(list.ColumnWidth(c) >= 0);
    (void)list.Heading(c);
    for (int32_t r : {-1, 0, rows - 1, rows}) (void)list.Cell(r, c);
  }
  FUZZ_CHECK(list.ListIndex() == -1);  // a stream selects nothing
  FUZZ_CHECK(list.ScrollPosition() >= 0);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Never onto a real screen, whatever the caller's environment says.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  fw::RuntimeInit();
  qInstallMessageHandler(QuietToolkit);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t kind = data[0] % 7;
  const std::string_view stream(reinterpret_cast<const char*>(data) + 1, size - 1);
  {
    auto window = fw::RuntimeCheckCast<fw::Window>(fw::RuntimeNewObject(fw::Window::Lookup()),
                                                   fw::Window::Lookup());
    FUZZ_CHECK(window);
    fw::Ref<fw::Control> control;
    fw::Object* target = window.get();
    if (kind != 0) {
      control = window->New(ControlClass(kind));
      window->AddControl("Probe", control);
      target = control.get();
    }
    OnlyFrameworkFailures<fw::RuntimeException>([&] { fw::SetProperties(*target, stream); });

    (void)window->Width();
    (void)window->Height();
    if (kind == 1) ReadBack(static_cast<const fw::Listbox&>(*control));
    if (kind == 6) (void)static_cast<const fw::EditField&>(*control).Text();
  }
  // The widgets of the window just given up go now, not at the end of the
  // run, and with them the events they had queued; a queue left to grow
  // makes every later run slower.
  QCoreApplication::sendPostedEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return 0;
}
