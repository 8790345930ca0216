#include "framework/controls/check_box.h"

namespace fw {

const ClassRecord& CheckBox::Lookup() {
  static const ClassRecord record = [] {
    using P = ControlProperties;
    using S = CheckBoxProperties;
    auto own = [](std::string name, auto S::*field) {
      return FieldProperty<CheckBox>(std::move(name), &CheckBox::own_, field);
    };
    return ControlRecord<CheckBox>(
        {Common("TabStop", &P::tabStop), own("Caption", &S::caption),
         Common("Enabled", &P::enabled), Common("Visible", &P::visible),
         Common("HelpTag", &P::helpTag), Common("AutoDeactivate", &P::autoDeactivate),
         Common("TextFont", &P::textFont), Common("TextSize", &P::textSize),
         Common("Bold", &P::bold), Common("Italic", &P::italic), Common("Underline", &P::underline),
         own("State", &S::state), own("Value", &S::value), Common("DataSource", &P::dataSource),
         Common("DataField", &P::dataField)},
        {Action});
  }();
  return record;
}

const ClassRecord& CheckBox::NativeClass() const { return Lookup(); }

bool CheckBox::Value() const { return Peer() ? Peer()->Checked() : own_.value; }

void CheckBox::Value(bool ticked) {
  own_.value = ticked;
  own_.state = ticked ? 1 : 0;
  PropertiesChanged();
}

}  // namespace fw
