#pragma once

#include <string>

#include "support/harness.h"
#include "support/temp_bundle.h"

namespace harness {

// A run of the program's windows as start-up leaves it: the application
// object with its menu bar registered, and a bundle whose Resources folder
// holds a background picture. Tests add the text files they need.
class ProgramTest : public FrameworkTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A text file in the bundle, written as the program's data is: Mac Roman
  // bytes with CR line breaks, from UTF-8 with LF.
  void WriteText(const std::string& name, const std::string& utf8) const;

  TempBundle bundle;
};

}  // namespace harness
