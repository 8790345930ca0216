#pragma once

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string_view>
#include <typeinfo>

#include "framework/runtime/exceptions.h"

// A broken promise ends the run with an abort, which libFuzzer keeps as a
// crash input; a failed check must never be mistaken for a handled case.
[[noreturn]] inline void FuzzFail(const char* what, std::string_view detail = {}) {
  std::fprintf(stderr, "FUZZ CHECK FAILED: %s%s%.*s\n", what, detail.empty() ? "" : ": ",
               static_cast<int>(detail.size()), detail.data());
  std::abort();
}

#define FUZZ_CHECK(condition)                                               \
  do {                                                                      \
    if (!(condition)) FuzzFail(#condition " (" __FILE__ ":" FUZZ_LINE ")"); \
  } while (false)
#define FUZZ_STRINGIFY(x) #x
#define FUZZ_TOSTRING(x) FUZZ_STRINGIFY(x)
#define FUZZ_LINE FUZZ_TOSTRING(__LINE__)

// Runs `work` and lets through only the framework's own failures (of type
// Allowed); anything else escaping is a fault, reported with its type.
template <class Allowed, class Work>
bool OnlyFrameworkFailures(Work&& work) {
  try {
    work();
    return true;
  } catch (const Allowed&) {
    return false;
  } catch (const std::exception& e) {
    FuzzFail(typeid(e).name(), e.what());
  } catch (...) {
    FuzzFail("an exception that is not a std::exception");
  }
}
