#include "framework/runtime/class_record.h"

namespace fw {

namespace {

const ClassRecord& ObjectRecord() {
  static const ClassRecord record = [] {
    ClassRecord r;
    r.name = "Object";
    r.attributes = {{"__Scope", "Public"}};
    return r;
  }();
  return record;
}


}  // namespace

const ClassRecord& Object::NativeClass() const { return ObjectRecord(); }

const ClassRecord& Object::Class() const { return class_ ? *class_ : NativeClass(); }

bool ClassRecord::IsA(const ClassRecord& other) const {
  for (const ClassRecord* r = this; r; r = r->base) {
    if (r == &other || r->name == other.name) return true;
  }
  return false;
}

const PropertyInfo* ClassRecord::FindProperty(std::string_view property) const {
  for (const ClassRecord* r = this; r; r = r->base) {
    for (const auto& p : r->properties) {
      if (p.name == property) return &p;
    }
  }
  return nullptr;
}

const EventBinding* ClassRecord::FindEvent(std::string_view event) const {
  for (const ClassRecord* r = this; r; r = r->base) {
    for (const auto& e : r->events) {
      if (e.event == event) return &e;
    }
  }
  return nullptr;
}

const EventInfo& ClassRecord::RaisedEvent(std::string_view event) const {
  for (const ClassRecord* r = this; r; r = r->base) {
    for (const auto& e : r->raises) {
      if (e.name == event) return e;
    }
  }
  throw InvalidArgumentException("Die Klasse „" + name + "“ kennt kein Ereignis „" +
                                 std::string(event) + "“.");
}

const MemberInfo* ClassRecord::FindMember(std::string_view member) const {
  for (const ClassRecord* r = this; r; r = r->base) {
    for (const auto& m : r->members) {
      if (m.name == member) return &m;
    }
  }
  return nullptr;
}

std::vector<std::string> ClassRecord::AllVirtualMethods() const {
  std::vector<std::string> all = base ? base->AllVirtualMethods() : std::vector<std::string>{};
  all.insert(all.end(), virtualMethods.begin(), virtualMethods.end());
  return all;
}

std::string ClassRecord::AttributeValue(std::string_view attribute) const {
  for (const auto& a : attributes) {
    if (a.name == attribute) return a.value;
  }
  return {};
}

Ref<Object> RuntimeNewObject(const ClassRecord& record) {
  if (!record.factory) return nullptr;
  Ref<Object> object = record.factory();
  if (object) object->class_ = &record;
  return object;
}

void RunExit(Object& object) {
  for (const ClassRecord* r = &object.Class(); r; r = r->base) {
    if (r->exit) r->exit(object);
  }
}

}  // namespace fw
