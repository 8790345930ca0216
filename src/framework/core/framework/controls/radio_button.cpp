#include "framework/controls/radio_button.h"

namespace fw {

const ClassRecord& RadioButton::Lookup() {
  static const ClassRecord record = [] {
    using P = ControlProperties;
    using S = RadioButtonProperties;
    auto own = Own<&RadioButton::own_>();
    return ControlRecord<RadioButton>(
        {Common("TabStop", &P::tabStop), own("Caption", &S::caption), own("Value", &S::value)},
        {Action});
  }();
  return record;
}

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
