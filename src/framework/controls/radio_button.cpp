#include "framework/controls/radio_button.h"

namespace fw {

const ClassRecord& RadioButton::Lookup() {
  static const ClassRecord record = [] {
    using P = ControlProperties;
    using S = RadioButtonProperties;
    auto own = [](std::string name, auto S::*field) {
      return FieldProperty<RadioButton>(std::move(name), &RadioButton::own_, field);
    };
    return ControlRecord<RadioButton>(
        {Common("TabStop", &P::tabStop), own("Caption", &S::caption),
         Common("Enabled", &P::enabled), Common("Visible", &P::visible),
         Common("HelpTag", &P::helpTag), Common("AutoDeactivate", &P::autoDeactivate),
         Common("TextFont", &P::textFont), Common("TextSize", &P::textSize),
         Common("Bold", &P::bold), Common("Italic", &P::italic), Common("Underline", &P::underline),
         own("Value", &S::value)},
        {Action});
  }();
  return record;
}

const ClassRecord& RadioButton::NativeClass() const { return Lookup(); }

// The screen knows best: selecting one button clears its neighbours.
bool RadioButton::Value() const { return Peer() ? Peer()->Checked() : own_.value; }

void RadioButton::Value(bool selected) {
  own_.value = selected;
  // Without widgets yet, the neighbours are cleared here as the screen would.
  if (selected && !Peer()) {
    if (const auto* neighbours = Neighbours()) {
      for (const Ref<Control>& c : *neighbours) {
        if (auto* other = dynamic_cast<RadioButton*>(c.get()); other && other != this)
          other->own_.value = false;
      }
    }
  }
  PropertiesChanged();
}

}  // namespace fw
