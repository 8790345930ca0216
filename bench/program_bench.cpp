// What the user waits for in the program: a key in a code field (82 code
// comparisons, and a welcome window built and closed on every key), and
// the start-up against a bare Qt window.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QProcess>
#include <chrono>
#include <cstdlib>

#include "catalogue/text_catalogue.h"
#include "framework/application/dispatch.h"
#include "framework/controls/edit_field.h"
#include "framework/folder_item/folder_item.h"
#include "framework/qt/control_peer.h"
#include "framework/runtime/runtime.h"
#include "framework/text/text.h"
#include "learning/window2.h"
#include "shell/app.h"
#include "shell/implicit_window.h"
#include "shell/menu_bar1.h"
#include "shell/window1.h"

namespace {

void DrainEvents() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// One key as the keyboard delivers it: pressed, then released, and the
// screen brought up to date.
void TypeKey(QWidget* field, Qt::Key key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(field, &press);
  QCoreApplication::sendEvent(field, &release);
  DrainEvents();
}

void BM_KeyInCodeField(benchmark::State& state) {
  auto app = fw::RuntimeCheckCast<App>(fw::RuntimeNewObject(App::Lookup()), App::Lookup());
  app->MenuBar(MenuBar1::Get());
  fw::RegisterAppObject(app);
  fw::Dispatch([] { ImplicitWindow<Window2>()->Show(); });
  DrainEvents();
  auto field = std::static_pointer_cast<fw::EditField>(
      ImplicitWindow<Window2>()->ControlByName("EditField1"));
  QWidget* widget = fw::qt::WidgetOf(*field);
  for (auto _ : state) {
    TypeKey(widget, Qt::Key_A, QStringLiteral("a"));
    state.PauseTiming();
    TypeKey(widget, Qt::Key_Backspace, QString());
    state.ResumeTiming();
  }
  fw::ReleaseModuleLists();
  fw::RegisterAppObject(nullptr);
  MenuBar1::ExitImplicitInstance();
  DrainEvents();
}
BENCHMARK(BM_KeyInCodeField)->Unit(benchmark::kMillisecond);

// The part of a key that builds and closes the welcome window, alone.
void BM_WelcomeWindowBuiltAndClosed(benchmark::State& state) {
  for (auto _ : state) {
    fw::Dispatch([] { ImplicitWindow<Window1>()->Close(); });
    DrainEvents();
  }
}
BENCHMARK(BM_WelcomeWindowBuiltAndClosed)->Unit(benchmark::kMillisecond);

// The part of a key that compares the field's text with the 82 codes.
void BM_CodeLookupOfAField(benchmark::State& state) {
  for (auto _ : state) {
    for (const CatalogueEntry& entry : TextCatalogue()) {
      benchmark::DoNotOptimize(fw::RuntimeStringCompare("band", entry.Code));
    }
  }
}
BENCHMARK(BM_CodeLookupOfAField)->Unit(benchmark::kMicrosecond);

// Whole processes, from their start to the first paint of their window.
void RunProbe(benchmark::State& state, const char* program) {
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    QProcess probe;
    probe.start(QString::fromUtf8(program), {});
    if (!probe.waitForFinished(30000) || probe.exitCode() != 0) {
      state.SkipWithError("the probe did not come up");
      return;
    }
    std::chrono::duration<double> taken = std::chrono::steady_clock::now() - start;
    state.SetIterationTime(taken.count());
  }
}

void BM_StartupToStartScreen(benchmark::State& state) { RunProbe(state, STARTUP_PROBE); }
BENCHMARK(BM_StartupToStartScreen)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);

void BM_StartupOfABareQtWindow(benchmark::State& state) { RunProbe(state, BARE_QT_PROBE); }
BENCHMARK(BM_StartupOfABareQtWindow)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  fw::OverrideExecutablePath(std::filesystem::path(MERKHAUS_BIN_DIR) / "merkhaus");
  fw::RuntimeInit();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return fw::RuntimeExit();
}
