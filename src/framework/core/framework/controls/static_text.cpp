#include "framework/controls/static_text.h"

namespace fw {

const ClassRecord& StaticText::Lookup() {
  static const ClassRecord record = [] {
    using P = ControlProperties;
    using S = StaticTextProperties;
    auto own = Own<&StaticText::own_>();
    return ControlRecord<StaticText>(
        {own("Text", &S::text), own("TextAlign", &S::textAlign), Common("TextColor", &P::textColor),
         own("Multiline", &S::multiline), Common("DataSource", &P::dataSource),
         Common("DataField", &P::dataField)});
  }();
  return record;
}

void StaticText::Text(std::string text) {
  own_.text = std::move(text);
  PropertiesChanged();
}

}  // namespace fw
