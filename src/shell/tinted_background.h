#pragma once

#include "framework/picture/graphics.h"
#include "framework/picture/picture.h"
#include "shell/program_window.h"

// The background picture "hintergrund1.jpg" from the bundle's Resources
// folder, read once and kept; while it can't be had, every call tries again.
namespace x_hintergrund1 {
fw::Ref<fw::Picture> hintergrund1();
}

// The steps of the tinted background, which every window but the list and
// the information window takes with its own colour.
namespace tinted_background {

// A new picture of pic's size and depth, all of it colour c.
fw::Ref<fw::Picture> ColourPicture(const fw::Ref<fw::Picture>& pic, fw::Color c);

// The picture shaped into a tile of colour c and laid two by two.
fw::Ref<fw::Picture> Build(
    fw::Color c,
    const std::function<fw::Ref<fw::Picture>(fw::Ref<fw::Picture>, fw::Color)>& colourPicture);

// The background stretched over the whole window.
void Paint(fw::Graphics& g, const fw::Ref<fw::Picture>& background, int32_t width, int32_t height);

}  // namespace tinted_background

// A window with the tinted background in its colour W::kTint.
template <class W>
class TintedWindow : public ProgramWindow<W> {
 public:
  fw::Ref<fw::Picture> MyBackground;

  void Event_Open() { OpenBackground(); }

  void Event_Paint(fw::Graphics& g) {
    tinted_background::Paint(g, MyBackground, this->Width(), this->Height());
  }

  fw::Ref<fw::Picture> ColourPicture(fw::Ref<fw::Picture> pic, fw::Color c) {
    return tinted_background::ColourPicture(pic, c);
  }

  void Exit() { MyBackground.reset(); }

  static void DescribeMore(fw::ClassBuilder<W>& builder) {
    builder.Method("ColourPicture", &TintedWindow::ColourPicture)
        .Property("MyBackground", &TintedWindow::MyBackground)
        .Exit(&TintedWindow::Exit);
  }

 protected:
  void OpenBackground() {
    MyBackground =
        tinted_background::Build(W::kTint, [this](fw::Ref<fw::Picture> pic, fw::Color c) {
          return static_cast<W*>(this)->ColourPicture(std::move(pic), c);
        });
  }
};
