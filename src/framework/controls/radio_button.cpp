#include "framework/controls/radio_button.h"

namespace fw {

const ClassRecord& RadioButton::Lookup() {
  static const ClassRecord record = [] {
    using P = ControlProperties;
    using S = RadioButtonProperties;
    auto own = [](std::string name, auto S::*field) {
      return FieldProperty<RadioButton>(std::move(name), &RadioButton::own_, field);
    };
    ClassRecord r;
    r.name = kTypeName;
    r.base = &Control::Lookup();
    r.attributes = {{"__Scope", "Public"}};
    r.properties = {Common("TabStop", &P::tabStop),   own("Caption", &S::caption),
                    Common("Enabled", &P::enabled),   Common("Visible", &P::visible),
                    Common("HelpTag", &P::helpTag),   Common("AutoDeactivate", &P::autoDeactivate),
                    Common("TextFont", &P::textFont), Common("TextSize", &P::textSize),
                    Common("Bold", &P::bold),         Common("Italic", &P::italic),
                    Common("Underline", &P::underline), own("Value", &S::value)};
    r.factory = [] { return std::make_shared<RadioButton>(); };
    return r;
  }();
  return record;
}

const ClassRecord& RadioButton::NativeClass() const { return Lookup(); }

const std::vector<EventSpec>& RadioButton::Events() const {
  static const std::vector<EventSpec> events = [] {
    auto e = CommonEvents();
    e.push_back({"Action", EventSignature<void>()});
    return e;
  }();
  return events;
}

}  // namespace fw
