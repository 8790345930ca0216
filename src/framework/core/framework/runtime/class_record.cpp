#include "framework/runtime/class_record.h"

#include <algorithm>

namespace fw {

namespace {

const ClassRecord& ObjectRecord() {
  static const ClassRecord record{.name = "Object"};
  return record;
}

// The entry of that name in the class's own list or, failing that, in its
// bases' lists.
template <class Entry>
const Entry* FindInChain(const ClassRecord* r, std::vector<Entry> ClassRecord::*list,
                         std::string Entry::*key, std::string_view name) {
  for (; r; r = r->base) {
    for (const Entry& entry : r->*list) {
      if (entry.*key == name) return &entry;
    }
  }
  return nullptr;
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
  return FindInChain(this, &ClassRecord::properties, &PropertyInfo::name, property);
}

const EventBinding* ClassRecord::FindEvent(std::string_view event) const {
  return FindInChain(this, &ClassRecord::events, &EventBinding::event, event);
}

const EventInfo& ClassRecord::RaisedEvent(std::string_view event) const {
  if (const EventInfo* raised = FindInChain(this, &ClassRecord::raises, &EventInfo::name, event)) {
    return *raised;
  }
  throw InvalidArgumentException("Die Klasse „" + name + "“ kennt kein Ereignis „" +
                                 std::string(event) + "“.");
}

const MemberInfo* ClassRecord::FindMember(std::string_view member) const {
  return FindInChain(this, &ClassRecord::members, &MemberInfo::name, member);
}

std::vector<std::string> ClassRecord::AllVirtualMethods() const {
  std::vector<std::string> all = base ? base->AllVirtualMethods() : std::vector<std::string>{};
  all.insert(all.end(), virtualMethods.begin(), virtualMethods.end());
  return all;
}

std::string ClassRecord::AttributeValue(std::string_view attribute) const {
  auto found = std::ranges::find(attributes, attribute, &Attribute::name);
  return found == attributes.end() ? std::string() : found->value;
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
