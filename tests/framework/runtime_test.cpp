#include "framework/controls/push_button.h"
#include "framework/picture/graphics.h"
#include "framework/picture/picture.h"
#include "framework/runtime/class_builder.h"
#include "support/harness.h"
#include "test_windows.h"

namespace {

// A class shaped like the program's windows, for what its record says.
class Sample : public fw::Window {
 public:
  static const fw::ClassRecord& Lookup() {
    static const fw::ClassRecord record =
        fw::ClassBuilder<Sample>("Sample.Sample", fw::Window::Lookup())
            .Method("Layout", &Sample::Layout)
            .Method("CreateControls0", &Sample::CreateControls0, {{"Hidden", ""}})
            .Method("RadioButton1_MouseDown", &Sample::RadioButton1_MouseDown)
            .Method("Event_Paint", &Sample::Event_Paint)
            .Method("ColourPicture", &Sample::ColourPicture)
            .Method("EditField1_KeyDown", &Sample::EditField1_KeyDown)
            .Method("EditField3_KeyUp", &Sample::EditField3_KeyUp)
            .Method("Listbox1_CellTextPaint", &Sample::Listbox1_CellTextPaint)
            .Method("PushButton1_DragOver", &Sample::PushButton1_DragOver)
            .Handles(fw::Paint, "Event_Paint", &Sample::Event_Paint)
            .Property("MyBackground", &Sample::MyBackground)
            .Property("Gehezu", &Sample::Gehezu)
            .Property("Prozent", &Sample::Prozent)
            .Exit(&Sample::Exit)
            .Build();
    return record;
  }
  void Layout() {}
  void CreateControls0() {}
  bool RadioButton1_MouseDown(int32_t, int32_t) { return false; }
  void Event_Paint(fw::Graphics&) {}
  fw::Ref<fw::Picture> ColourPicture(fw::Ref<fw::Picture> p, fw::Color) { return p; }
  bool EditField1_KeyDown(const std::string&) { return false; }
  void EditField3_KeyUp(const std::string&) {}
  bool Listbox1_CellTextPaint(fw::Graphics&, int32_t, int32_t, int32_t, int32_t) { return false; }
  bool PushButton1_DragOver(int32_t, int32_t, fw::DragItem&, int32_t) { return false; }
  void Exit() { MyBackground.reset(); }

  fw::Ref<fw::Picture> MyBackground;
  int32_t Gehezu = 6;
  double Prozent = 0;
};

std::string SignatureOf(const fw::ClassRecord& r, const std::string& member) {
  const fw::MemberInfo* m = r.FindMember(member);
  return m ? m->signature : "(missing)";
}

TEST(ClassRecord, SignaturesAndTypeCodesFollowTheCode) {
  const auto& r = Sample::Lookup();
  EXPECT_EQ(SignatureOf(r, "Layout"), "%%");
  EXPECT_EQ(SignatureOf(r, "RadioButton1_MouseDown"), "%b%i4i4");
  EXPECT_EQ(SignatureOf(r, "Event_Paint"), "%%o<Graphics>");
  EXPECT_EQ(SignatureOf(r, "ColourPicture"), "%o<Picture>%o<Picture>c");
  EXPECT_EQ(SignatureOf(r, "EditField1_KeyDown"), "%b%s");
  EXPECT_EQ(SignatureOf(r, "EditField3_KeyUp"), "%%s");
  EXPECT_EQ(SignatureOf(r, "Listbox1_CellTextPaint"), "%b%o<Graphics>i4i4i4i4");
  EXPECT_EQ(SignatureOf(r, "PushButton1_DragOver"), "%b%i4i4o<DragItem>i4");
  EXPECT_EQ(r.FindProperty("MyBackground")->typeCode, "o<Picture>");
  EXPECT_EQ(r.FindProperty("Gehezu")->typeCode, "i4");
  EXPECT_EQ(r.FindProperty("Prozent")->typeCode, "f8");
  EXPECT_EQ(r.FindProperty("Title")->typeCode, "s");  // inherited from Window
  EXPECT_EQ(r.AttributeValue("__Scope"), "Public");
  const fw::MemberInfo* hidden = r.FindMember("CreateControls0");
  ASSERT_NE(hidden, nullptr);
  EXPECT_EQ(hidden->attributes.size(), 2u);
  EXPECT_EQ(hidden->attributes[1].name, "Hidden");
  auto methods = r.AllVirtualMethods();
  EXPECT_EQ(methods.front(), "Show");
  EXPECT_EQ(methods[6], "Layout");
}

TEST(ClassRecord, GenericAccessReadsAndWritesTheFields) {
  auto object = fw::RuntimeNewObject(Sample::Lookup());
  ASSERT_NE(object, nullptr);
  const fw::PropertyInfo* gehezu = object->Class().FindProperty("Gehezu");
  EXPECT_EQ(std::get<int32_t>(gehezu->get(*object)), 6);
  gehezu->set(*object, fw::Value(int32_t{8}));
  EXPECT_EQ(std::static_pointer_cast<Sample>(object)->Gehezu, 8);
  fw::Value down = object->Class()
                       .FindMember("RadioButton1_MouseDown")
                       ->invoke(*object, {int32_t{1}, int32_t{2}});
  EXPECT_EQ(std::get<bool>(down), false);
  EXPECT_THROW(object->Class().FindMember("RadioButton1_MouseDown")->invoke(*object, {}),
               fw::InvalidArgumentException);
}

TEST(ClassRecord, CheckCastRefusesAnotherClassAndKeepsNil) {
  auto sample = fw::RuntimeNewObject(Sample::Lookup());
  EXPECT_NE(fw::RuntimeCheckCast<fw::Window>(sample, fw::Window::Lookup()), nullptr);
  EXPECT_THROW(fw::RuntimeCheckCast<Sample>(sample, testwin::NoteWindow::Lookup()),
               fw::IllegalCastException);
  EXPECT_EQ(fw::RuntimeCheckCast<Sample>(nullptr, Sample::Lookup()), nullptr);
}

TEST(ClassRecord, ExitRunsOnceWhenTheLastReferenceGoes) {
  auto sample = std::static_pointer_cast<Sample>(fw::RuntimeNewObject(Sample::Lookup()));
  sample->MyBackground = fw::NewPicture(4, 4, 32);
  std::weak_ptr<fw::Picture> picture = sample->MyBackground;
  sample.reset();
  EXPECT_TRUE(picture.expired());
}

TEST(Delegates, SignatureMustMatchTheMethodAndTheEvent) {
  auto sample = std::static_pointer_cast<Sample>(fw::RuntimeNewObject(Sample::Lookup()));
  EXPECT_THROW(fw::RuntimeCreateDelegate(sample, &Sample::EditField1_KeyDown, "( String )"),
               fw::InvalidArgumentException);
  auto keyDown =
      fw::RuntimeCreateDelegate(sample, &Sample::EditField1_KeyDown, "( String ) as Boolean");
  auto paint = fw::RuntimeCreateDelegate(sample, &Sample::Listbox1_CellTextPaint,
                                         "( Graphics, Int32, Int32, Int32, Int32 ) as Boolean");
  auto drag = fw::RuntimeCreateDelegate(sample, &Sample::PushButton1_DragOver,
                                        "( Int32, Int32, DragItem, Int32 ) as Boolean");
  auto button = fw::RuntimeNewObject(fw::PushButton::Lookup());
  auto control = std::static_pointer_cast<fw::Control>(button);
  EXPECT_THROW(fw::InstallInstanceEventHandler(control, "Action", keyDown),
               fw::InvalidArgumentException);
  EXPECT_THROW(fw::InstallInstanceEventHandler(control, "KeyDown", keyDown),
               fw::InvalidArgumentException);
  EXPECT_THROW(fw::InstallInstanceEventHandler(nullptr, "Action", keyDown), fw::NilObjectException);
  fw::InstallInstanceEventHandler(control, "DragOver", drag);
  EXPECT_TRUE(control->Handles("DragOver"));
  (void)paint;
}

TEST(Delegates, DoNotKeepTheirTargetAlive) {
  auto sample = std::static_pointer_cast<Sample>(fw::RuntimeNewObject(Sample::Lookup()));
  auto keyDown =
      fw::RuntimeCreateDelegate(sample, &Sample::EditField1_KeyDown, "( String ) as Boolean");
  EXPECT_EQ(std::get<bool>(keyDown->Invoke({std::string("a")})), false);
  sample.reset();
  EXPECT_THROW(keyDown->Invoke({std::string("a")}), fw::NilObjectException);
}

}  // namespace
