#include "shell/layouts.h"

#include <climits>

#include "framework/controls/check_box.h"
#include "framework/controls/edit_field.h"
#include "framework/controls/listbox.h"
#include "framework/controls/push_button.h"
#include "framework/controls/radio_button.h"
#include "framework/controls/static_text.h"
#include "framework/property_stream/property_stream.h"

namespace {

constexpr fw::Color kBlack{0, 0, 0};

struct WindowLayout {
  int32_t placement = 3;
  int32_t width = 1000;
  int32_t frame = 0;
  bool composite = true;
  bool hasBackColor = true;
  fw::Color backColor;
  std::string title = "Merkhaus";
  bool maximizeButton = true;
};

std::string WindowStream(const WindowLayout& l) {
  return fw::PropertyStreamBuilder()
      .Integer("Placement", l.placement)
      .Integer("Width", l.width)
      .Integer("Height", 750)
      .Integer("MinWidth", 400)
      .Integer("MinHeight", 400)
      .Integer("MaxWidth", 2000)
      .Integer("MaxHeight", 2000)
      .Integer("Frame", l.frame)
      .Boolean("Composite", l.composite)
      .Boolean("HasBackColor", l.hasBackColor)
      .Colour("BackColor", l.backColor)
      .String("Title", l.title)
      .Boolean("Visible", true)
      .Boolean("FullScreen", false)
      .Boolean("MenuBarVisible", true)
      .Boolean("CloseButton", true)
      .Boolean("Resizeable", false)
      .Boolean("LiveResize", true)
      .Boolean("MaximizeButton", l.maximizeButton)
      .Boolean("MinimizeButton", true)
      .Integer("MacProcID", 0)
      .Bytes();
}

// The twelve properties every control stream begins with.
fw::PropertyStreamBuilder Head(const std::string& name, const Box& box, int32_t tabIndex,
                               bool lockLeft = false, bool lockTop = false) {
  fw::PropertyStreamBuilder b;
  b.String("Name", name)
      .Integer("Index", INT32_MIN)
      .Integer("Left", box.left)
      .Integer("Top", box.top)
      .Integer("Width", box.width)
      .Integer("Height", box.height)
      .Boolean("LockLeft", lockLeft)
      .Boolean("LockTop", lockTop)
      .Boolean("LockRight", false)
      .Boolean("LockBottom", false)
      .Integer("TabPanelIndex", 0)
      .Integer("TabIndex", tabIndex);
  return b;
}

void Face(fw::PropertyStreamBuilder& b, const std::string& font, int32_t size, bool bold,
          bool underline) {
  b.String("TextFont", font)
      .Integer("TextSize", size)
      .Boolean("Bold", bold)
      .Boolean("Italic", false)
      .Boolean("Underline", underline);
}

ControlLayout Made(const std::string& name, const fw::ClassRecord& cls,
                   fw::PropertyStreamBuilder& b) {
  return ControlLayout{name, &cls, b.Bytes()};
}

}  // namespace

std::string FullWindowStream(fw::Color backColor) { return WindowStream({.backColor = backColor}); }

std::string ListWindowStream() {
  return WindowStream({.placement = 4,
                       .width = 600,
                       .frame = 1,
                       .composite = false,
                       .backColor = {255, 255, 102},
                       .title = "Liste",
                       .maximizeButton = false});
}

std::string InfoWindowStream() {
  return WindowStream({.placement = 4,
                       .width = 700,
                       .frame = 1,
                       .composite = false,
                       .hasBackColor = false,
                       .backColor = kWhite});
}

ControlLayout StaticText(const StaticTextLayout& l) {
  auto b = Head(l.name, l.box, l.tabIndex);
  b.String("Text", l.text)
      .Integer("TextAlign", l.textAlign)
      .Colour("TextColor", kBlack)
      .Boolean("Multiline", l.multiline)
      .Boolean("Enabled", true)
      .Boolean("Visible", true)
      .String("HelpTag", "")
      .Boolean("AutoDeactivate", l.autoDeactivate);
  Face(b, l.font, l.size, l.bold, l.underline);
  b.String("DataSource", "").String("DataField", "").String("InitialParent", "");
  return Made(l.name, fw::StaticText::Lookup(), b);
}

ControlLayout PushButton(const PushButtonLayout& l) {
  auto b = Head(l.name, l.box, l.tabIndex);
  b.Boolean("TabStop", true)
      .String("Caption", l.caption)
      .Boolean("Default", false)
      .Boolean("Cancel", false)
      .Boolean("Enabled", true)
      .Boolean("Visible", true)
      .String("HelpTag", "")
      .Boolean("AutoDeactivate", true);
  Face(b, "Verdana", l.size, false, false);
  b.String("InitialParent", "");
  return Made(l.name, fw::PushButton::Lookup(), b);
}

ControlLayout CheckBox(const CheckBoxLayout& l) {
  auto b = Head(l.name, l.box, l.tabIndex);
  b.Boolean("TabStop", true)
      .String("Caption", l.caption)
      .Boolean("Enabled", true)
      .Boolean("Visible", true)
      .String("HelpTag", l.helpTag)
      .Boolean("AutoDeactivate", true);
  Face(b, "Verdana", l.size, false, false);
  b.Integer("State", 0)
      .Boolean("Value", false)
      .String("DataSource", "")
      .String("DataField", "")
      .String("InitialParent", "");
  return Made(l.name, fw::CheckBox::Lookup(), b);
}

ControlLayout RadioButton(const RadioButtonLayout& l) {
  auto b = Head(l.name, l.box, l.tabIndex);
  b.Boolean("TabStop", true)
      .String("Caption", l.caption)
      .Boolean("Enabled", true)
      .Boolean("Visible", true)
      .String("HelpTag", "")
      .Boolean("AutoDeactivate", true);
  Face(b, "Verdana", l.size, l.bold, l.underline);
  b.Boolean("Value", false).String("InitialParent", l.initialParent);
  return Made(l.name, fw::RadioButton::Lookup(), b);
}

ControlLayout EditField(const EditFieldLayout& l) {
  auto b = Head(l.name, l.box, l.tabIndex);
  b.Boolean("TabStop", true)
      .Boolean("Border", l.border)
      .Boolean("Multiline", l.multiline)
      .Boolean("ScrollbarHorizontal", false)
      .Boolean("ScrollbarVertical", l.scrollbarVertical)
      .Boolean("Styled", l.styled)
      .Boolean("Password", false)
      .Boolean("UseFocusRing", true)
      .Colour("TextColor", kBlack)
      .Colour("BackColor", l.backColor)
      .Boolean("Enabled", true)
      .String("Format", "")
      .Boolean("Visible", true)
      .String("HelpTag", "")
      .Boolean("AutoDeactivate", true);
  Face(b, l.font, l.size, l.bold, false);
  b.String("Text", "")
      .String("Mask", "")
      .Boolean("ReadOnly", false)
      .Integer("LimitText", 0)
      .Boolean("AcceptTabs", false)
      .Integer("Alignment", 0)
      .String("DataSource", "")
      .String("DataField", "")
      .String("InitialParent", "");
  return Made(l.name, fw::EditField::Lookup(), b);
}

ControlLayout Listbox(const ListboxLayout& l) {
  auto b = Head(l.name, l.box, l.tabIndex, l.lockLeft, l.lockTop);
  b.Boolean("TabStop", true)
      .Boolean("Visible", true)
      .String("HelpTag", "")
      .Boolean("AutoDeactivate", true)
      .Boolean("Enabled", true)
      .Boolean("Border", true)
      .Integer("ColumnCount", l.columnCount)
      .String("ColumnWidths", l.columnWidths)
      .Boolean("HasHeading", l.hasHeading)
      .Boolean("UseFocusRing", true)
      .String("InitialValue", l.initialValue)
      .Integer("HeadingIndex", -1)
      .Boolean("ScrollbarHorizontal", false)
      .Boolean("ScrollBarVertical", true)
      .Integer("GridLinesHorizontal", l.gridLines)
      .Integer("GridLinesVertical", l.gridLines)
      .Integer("DefaultRowHeight", -1)
      .Integer("_ScrollWidth", -1);
  Face(b, l.font, l.size, l.bold, false);
  b.Boolean("Hierarchical", false)
      .Boolean("EnableDrag", l.enableDrag)
      .Boolean("EnableDragReorder", false)
      .Boolean("RequiresSelection", false)
      .Integer("SelectionType", 0)
      .Boolean("ColumnsResizable", l.columnsResizable)
      .Boolean("AutoHideScrollbars", true)
      .String("DataSource", "")
      .String("DataField", "")
      .String("InitialParent", "");
  return Made(l.name, fw::Listbox::Lookup(), b);
}
