#include "framework/controls/check_box.h"

namespace fw {

const ClassRecord& CheckBox::Lookup() {
  static const ClassRecord record = [] {
    using P = ControlProperties;
    using S = CheckBoxProperties;
    auto own = Own<&CheckBox::own_>();
    return ControlRecord<CheckBox>(
        {Common("TabStop", &P::tabStop), own("Caption", &S::caption), own("State", &S::state),
         own("Value", &S::value), Common("DataSource", &P::dataSource),
         Common("DataField", &P::dataField)},
        {Action});
  }();
  return record;
}

bool CheckBox::Value() const { return Peer() ? Peer()->Checked() : own_.value; }

void CheckBox::Value(bool ticked) {
  own_.value = ticked;
  own_.state = ticked ? 1 : 0;
  PropertiesChanged();
}

}  // namespace fw
