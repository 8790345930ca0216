#include "shell/tinted_background.h"

#include <cstdio>

#include "framework/folder_item/folder_item.h"
#include "framework/runtime/runtime.h"

namespace {

const char* const kPictureFile = "hintergrund1.jpg";

fw::Ref<fw::Picture>& Cache() {
  static fw::Ref<fw::Picture> cache;
  return cache;
}

fw::Picture& Background() {
  if (fw::Ref<fw::Picture> picture = x_hintergrund1::hintergrund1()) return *picture;
  if (fw::GetApplicationBundleResources()) {
    throw fw::NilObjectException("das Hintergrundbild „" + std::string(kPictureFile) +
                                 "“ im Ordner „Resources“ fehlt oder ist nicht lesbar");
  }
  // Without its data folder the program can't start at all; whoever installed
  // it needs the place it looked in, also when starting it from a terminal.
  const fw::NilObjectException missing(
      "der Ordner mit den Daten des Programms, „" +
      fw::NotNil(fw::ApplicationBundleResourcesPlace(), "der Ordner „Resources“")
          .NativePath()
          .string() +
      "“, fehlt oder ist kein Ordner");
  std::fprintf(stderr, "merkhaus: %s\n", missing.what());
  throw missing;
}

}  // namespace

namespace x_hintergrund1 {

fw::Ref<fw::Picture> hintergrund1() {
  fw::Ref<fw::Picture>& cache = Cache();
  if (cache) return cache;
  fw::Ref<fw::FolderItem> resources = fw::GetApplicationBundleResources();
  if (!resources) return nullptr;
  fw::Ref<fw::FolderItem> file = resources->Child(kPictureFile);
  fw::NotNil(file, std::string("die Datei „") + kPictureFile + "“");
  cache = file->OpenAsPicture();
  return cache;
}

}  // namespace x_hintergrund1

namespace tinted_background {

fw::Ref<fw::Picture> ColourPicture(const fw::Ref<fw::Picture>& pic, fw::Color c) {
  fw::Picture& source = fw::NotNil(pic, "ein Bild zum Einfärben");
  fw::Ref<fw::Picture> p = fw::NewPicture(source.Width(), source.Height(), source.Depth());
  fw::Ref<fw::Graphics> g = fw::NotNil(p, "ein neues Bild").Graphics();
  g->ForeColor(c);
  g->FillRect(0, 0, p->Width(), p->Height());
  return p;
}

fw::Ref<fw::Picture> Build(
    fw::Color c,
    const std::function<fw::Ref<fw::Picture>(fw::Ref<fw::Picture>, fw::Color)>& colourPicture) {
  const int32_t width = Background().Width();
  const int32_t height = Background().Height();
  const int32_t depth = Background().Depth();
  fw::Ref<fw::Picture> blank = fw::NewPicture(width, height, depth);
  fw::Ref<fw::Picture> tile = colourPicture(blank, c);
  fw::NotNil(tile, "die Kachel des Hintergrunds").Mask(x_hintergrund1::hintergrund1());
  // Twice the tile in each direction; sizes stay well inside Int32, since a
  // picture side is capped far below half of it.
  fw::Ref<fw::Picture> background =
      fw::NewPicture(2 * tile->Width(), 2 * tile->Height(), tile->Depth());
  fw::Ref<fw::Graphics> g = fw::NotNil(background, "der Hintergrund").Graphics();
  constexpr int32_t kOwn = fw::Graphics::kOmittedSize;
  for (int32_t i = 0; i <= 1; ++i) {
    for (int32_t j = 0; j <= 1; ++j) {
      g->DrawPicture(tile, i * tile->Width(), j * tile->Height(), kOwn, kOwn, 0, 0, kOwn, kOwn);
      fw::RuntimeBackgroundTask();
    }
    fw::RuntimeBackgroundTask();
  }
  return background;
}

void Paint(fw::Graphics& g, const fw::Ref<fw::Picture>& background, int32_t width, int32_t height) {
  fw::Picture& b = fw::NotNil(background, "der Hintergrund des Fensters");
  g.DrawPicture(background, 0, 0, width, height, 0, 0, b.Width(), b.Height());
}

}  // namespace tinted_background
