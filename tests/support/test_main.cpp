#include <gtest/gtest.h>

#include <QString>
#include <QtGlobal>
#include <cstdlib>
#include <cstring>

#include "framework/runtime/runtime.h"

namespace {

// The offscreen platform says what it can't do on every window; that is noise.
void QuietOffscreenNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (message.startsWith(QStringLiteral("This plugin does not support"))) return;
  fprintf(stderr, "%s\n", qPrintable(message));
  if (type == QtFatalMsg) abort();
}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(QuietOffscreenNotes);
  ::testing::InitGoogleTest(&argc, argv);
  setenv("QT_QPA_PLATFORM", MERKHAUS_OFFSCREEN_PLATFORM, 0);
  fw::RuntimeInit();
  int result = RUN_ALL_TESTS();
  fw::RuntimeExit();
  return result;
}
