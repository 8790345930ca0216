// The stream reader on a class of its own: one property of each type a
// stream can carry, one it cannot carry, one that cannot be set, and one
// inherited from a base. Every value the reader hands to a setter is logged;
// written back with the builder, the log must give the bytes of the stream
// again (all of them when the stream was taken, a proper prefix when it
// was refused), so a value read from the wrong place cannot pass unseen.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "framework/property_stream/property_stream.h"
#include "framework/runtime/class_record.h"
#include "framework/runtime/object.h"
#include "framework/runtime/value.h"
#include "fuzz_check.h"

namespace {

struct Applied {
  std::string name;
  fw::Value value;
};

void Log(fw::Object& target, const std::string& name, const fw::Value& value);

fw::PropertyInfo Logged(std::string name, std::string typeCode) {
  fw::PropertyInfo p;
  p.name = name;
  p.typeCode = std::move(typeCode);
  p.set = [name](fw::Object& o, const fw::Value& v) { Log(o, name, v); };
  return p;
}

const fw::ClassRecord& BaseRecord() {
  static const fw::ClassRecord record = [] {
    fw::ClassRecord r;
    r.name = "ProbeBase";
    r.properties = {Logged("Caption", "s")};
    return r;
  }();
  return record;
}

const fw::ClassRecord& ProbeRecord() {
  static const fw::ClassRecord record = [] {
    fw::ClassRecord r;
    r.name = "Probe";
    r.base = &BaseRecord();
    r.properties = {Logged("Count", "i4"), Logged("Flag", "b"),   Logged("Tint", "c"),
                    Logged("Label", "s"),  Logged("Ratio", "f8"), Logged("Fixed", "i4")};
    r.properties.back().set = nullptr;  // read-only
    return r;
  }();
  return record;
}

class Probe : public fw::Object {
 public:
  std::vector<Applied> applied;
  int depth = 0;
  int begun = 0;
  int ended = 0;

  void BeginPropertyUpdate() override {
    ++depth;
    ++begun;
  }
  void EndPropertyUpdate() override {
    --depth;
    ++ended;
  }

 protected:
  const fw::ClassRecord& NativeClass() const override { return ProbeRecord(); }
};

void Log(fw::Object& target, const std::string& name, const fw::Value& value) {
  auto& probe = static_cast<Probe&>(target);
  FUZZ_CHECK(probe.depth == 1);  // every value arrives inside the update
  probe.applied.push_back({name, value});
}

std::string Rebuild(const std::vector<Applied>& applied) {
  fw::PropertyStreamBuilder b;
  for (const auto& [name, value] : applied) {
    if (const auto* i = std::get_if<int32_t>(&value)) {
      b.Integer(name, *i);
    } else if (const auto* f = std::get_if<bool>(&value)) {
      b.Boolean(name, *f);
    } else if (const auto* c = std::get_if<fw::Color>(&value)) {
      b.Colour(name, *c);
    } else if (const auto* s = std::get_if<std::string>(&value)) {
      b.String(name, *s);
    } else {
      FuzzFail("a setter received a value of a type no stream carries", name);
    }
  }
  return b.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view stream(reinterpret_cast<const char*>(data), size);
  Probe probe;
  const bool taken = OnlyFrameworkFailures<fw::InvalidArgumentException>(
      [&] { fw::SetProperties(probe, stream); });

  FUZZ_CHECK(probe.begun == 1 && probe.ended == 1 && probe.depth == 0);
  for (const auto& [name, value] : probe.applied) {
    const fw::PropertyInfo* p = ProbeRecord().FindProperty(name);
    FUZZ_CHECK(p && p->typeCode != "f8" && p->set);
  }
  const std::string again = Rebuild(probe.applied);
  if (taken) {
    if (again != stream) FuzzFail("the applied values do not give the stream back");
  } else {
    if (again.size() >= stream.size() || stream.substr(0, again.size()) != again) {
      FuzzFail("the values applied before the fault are not the stream's leading entries");
    }
  }
  return 0;
}
