#include "framework/controls/static_text.h"

namespace fw {

const ClassRecord& StaticText::Lookup() {
  static const ClassRecord record = [] {
    using P = ControlProperties;
    using S = StaticTextProperties;
    auto own = [](std::string name, auto S::*field) {
      return FieldProperty<StaticText>(std::move(name), &StaticText::own_, field);
    };
    return ControlRecord<StaticText>(
        {own("Text", &S::text), own("TextAlign", &S::textAlign), Common("TextColor", &P::textColor),
         own("Multiline", &S::multiline), Common("Enabled", &P::enabled),
         Common("Visible", &P::visible), Common("HelpTag", &P::helpTag),
         Common("AutoDeactivate", &P::autoDeactivate), Common("TextFont", &P::textFont),
         Common("TextSize", &P::textSize), Common("Bold", &P::bold), Common("Italic", &P::italic),
         Common("Underline", &P::underline), Common("DataSource", &P::dataSource),
         Common("DataField", &P::dataField)});
  }();
  return record;
}

const ClassRecord& StaticText::NativeClass() const { return Lookup(); }

void StaticText::Text(std::string text) {
  own_.text = std::move(text);
  PropertiesChanged();
}

}  // namespace fw
