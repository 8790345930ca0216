#include "framework/controls/push_button.h"

namespace fw {

const ClassRecord& PushButton::Lookup() {
  static const ClassRecord record = [] {
    using P = ControlProperties;
    auto own = Own<&PushButton::own_>();
    return ControlRecord<PushButton>(
        {Common("TabStop", &P::tabStop), own("Caption", &PushButtonProperties::caption),
         own("Default", &PushButtonProperties::isDefault),
         own("Cancel", &PushButtonProperties::cancel)},
        {Action});
  }();
  return record;
}

void PushButton::Caption(std::string caption) {
  own_.caption = std::move(caption);
  PropertiesChanged();
}

}  // namespace fw
