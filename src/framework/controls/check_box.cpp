#include "framework/controls/check_box.h"

namespace fw {

const ClassRecord& CheckBox::Lookup() {
  static const ClassRecord record = [] {
    using P = ControlProperties;
    using S = CheckBoxProperties;
    auto own = [](std::string name, auto S::*field) {
      return FieldProperty<CheckBox>(std::move(name), &CheckBox::own_, field);
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
                    Common("Underline", &P::underline), own("State", &S::state),
                    own("Value", &S::value),          Common("DataSource", &P::dataSource),
                    Common("DataField", &P::dataField)};
    r.factory = [] { return std::make_shared<CheckBox>(); };
    return r;
  }();
  return record;
}

const ClassRecord& CheckBox::NativeClass() const { return Lookup(); }

const std::vector<EventSpec>& CheckBox::Events() const {
  static const std::vector<EventSpec> events = [] {
    auto e = CommonEvents();
    e.push_back({"Action", EventSignature<void>()});
    return e;
  }();
  return events;
}

}  // namespace fw
