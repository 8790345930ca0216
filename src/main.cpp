#include <cstdio>
#include <exception>

#include "shell/startup.h"

int main() {
  try {
    return startup::Run();
  } catch (const std::exception& e) {
    // Telling the user of a failure failed too; the console is what is left.
    std::fprintf(stderr, "merkhaus: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "merkhaus: unbekannter Fehler\n");
  }
  return 1;
}
