#include "framework/controls/push_button.h"

namespace fw {

const ClassRecord& PushButton::Lookup() {
  static const ClassRecord record = [] {
    using P = ControlProperties;
    auto own = [](std::string name, auto PushButtonProperties::*field) {
      return FieldProperty<PushButton>(std::move(name), &PushButton::own_, field);
    };
    return ControlRecord<PushButton>(
        {Common("TabStop", &P::tabStop), own("Caption", &PushButtonProperties::caption),
         own("Default", &PushButtonProperties::isDefault),
         own("Cancel", &PushButtonProperties::cancel), Common("Enabled", &P::enabled),
         Common("Visible", &P::visible), Common("HelpTag", &P::helpTag),
         Common("AutoDeactivate", &P::autoDeactivate), Common("TextFont", &P::textFont),
         Common("TextSize", &P::textSize), Common("Bold", &P::bold), Common("Italic", &P::italic),
         Common("Underline", &P::underline)},
        {Action});
  }();
  return record;
}

const ClassRecord& PushButton::NativeClass() const { return Lookup(); }

void PushButton::Caption(std::string caption) {
  own_.caption = std::move(caption);
  PropertiesChanged();
}

}  // namespace fw
