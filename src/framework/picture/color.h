#pragma once
#include "framework/runtime/color.h"  // to go: colours are runtime values now
