#pragma once

#include <cstdint>
#include <string>

#include "framework/runtime/class_record.h"
#include "framework/runtime/color.h"

// The layout data of windows and controls as property streams, written
// property by property in the order the framework reads them. The values
// that nearly every control shares are the defaults here; a window's table
// names only what is its own.

struct Box {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
};

// A control's stream with its name and class.
struct ControlLayout {
  std::string name = {};
  const fw::ClassRecord* cls = nullptr;
  std::string stream = {};
};

// The windows of the program: the full-size ones in three colours, the list
// and the information window.
std::string FullWindowStream(fw::Color backColor);
std::string ListWindowStream();
std::string InfoWindowStream();

// The program's colours.
inline constexpr fw::Color kTurquoise{153, 255, 255};   // entry, choice and result windows
inline constexpr fw::Color kPink{255, 204, 204};        // the steps of the reading protocol
inline constexpr fw::Color kApricot{255, 204, 102};     // the text and the key points
inline constexpr fw::Color kMint{102, 255, 204};        // the result window's fields
inline constexpr fw::Color kPaleYellow{255, 255, 153};  // the text fields
inline constexpr fw::Color kWhite{255, 255, 255};

// Where the standard buttons stand.
inline constexpr Box kAbbruchBox{90, 650, 90, 20};
inline constexpr Box kZurueckBox{210, 650, 90, 20};
inline constexpr Box kWeiterBox{800, 650, 90, 20};

struct StaticTextLayout {
  std::string name = {};
  Box box = {};
  int32_t tabIndex = 0;
  std::string text = {};
  int32_t textAlign = 0;
  bool multiline = true;
  std::string font = "Verdana";
  int32_t size = 18;
  bool bold = false;
  bool underline = false;
  bool autoDeactivate = true;
};

struct PushButtonLayout {
  std::string name = {};
  Box box = {};
  int32_t tabIndex = 0;
  std::string caption = {};
  int32_t size = 18;
};

struct CheckBoxLayout {
  std::string name = {};
  Box box = {};
  int32_t tabIndex = 0;
  std::string caption = {};
  std::string helpTag = {};
  int32_t size = 18;
};

struct RadioButtonLayout {
  std::string name = {};
  Box box = {};
  int32_t tabIndex = 0;
  std::string caption = {};
  int32_t size = 18;
  bool bold = false;
  bool underline = false;
  std::string initialParent = {};
};

struct EditFieldLayout {
  std::string name = {};
  Box box = {};
  int32_t tabIndex = 0;
  bool border = true;
  bool multiline = false;
  bool scrollbarVertical = false;
  bool styled = false;
  fw::Color backColor = kWhite;
  std::string font = "Verdana";
  int32_t size = 18;
  bool bold = false;
};

struct ListboxLayout {
  std::string name = {};
  Box box = {};
  bool lockLeft = false;
  bool lockTop = false;
  int32_t tabIndex = 0;
  int32_t columnCount = 1;
  std::string columnWidths = {};
  bool hasHeading = false;
  std::string initialValue = {};
  int32_t gridLines = 0;
  std::string font = "Verdana";
  int32_t size = 18;
  bool bold = false;
  bool enableDrag = false;
  bool columnsResizable = false;
};

ControlLayout StaticText(const StaticTextLayout& l);
ControlLayout PushButton(const PushButtonLayout& l);
ControlLayout CheckBox(const CheckBoxLayout& l);
ControlLayout RadioButton(const RadioButtonLayout& l);
ControlLayout EditField(const EditFieldLayout& l);
ControlLayout Listbox(const ListboxLayout& l);
