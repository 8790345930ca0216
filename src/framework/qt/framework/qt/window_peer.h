#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <optional>
#include <vector>

#include "framework/qt/click_guard.h"
#include "framework/qt/scale.h"
#include "framework/runtime/object.h"
#include "framework/window/window.h"

namespace fw::qt {

// The toolkit side of a window: a top-level frame with the menu bar above
// a content area of the window's size, on which the controls lie. The
// widgets are made when the window first goes onto the screen: a window that
// is built and closed inside one handler never costs any.
class WindowPeer : public fw::WindowPeer {
 public:
  explicit WindowPeer(Window& owner);
  ~WindowPeer() override;

  // Makes the widgets from the window's properties, then its controls'.
  void MakeWidgets();
  bool HasWidgets() const override { return made_; }

  void Apply(const WindowProperties& p) override;
  void ArrangeFocus(const std::vector<Ref<Control>>& controls) override;

  // Nil while the window has no widgets.
  QWidget* Frame() const { return frame_; }
  QWidget* Content() const { return content_; }
  QWidget* MenuBarWidget() const { return menuBar_; }
  int ContentWidth() const override;
  int ContentHeight() const override;
  const Scale& ScaleShown() const { return scale_; }

  void SetOnScreen(bool on) override;
  void PlaceAgain() override { placeAgain_ = true; }
  bool OnScreen() const;
  void Raise() override;
  // The window became the active one on the screen.
  void ActivatedOnScreen();
  // The user pressed a mouse button in the window: it comes to the front.
  void PressedInto();
  // A click at this place brought the window to the front: a second press
  // there, within a second of the first, is a tremor's, not a click.
  void GuardPlace(const PressMark& click) { guardedPlace_ = click; }
  bool GuardsPlace(const QMouseEvent& press) const;
  // The window's content was painted.
  void PaintedOnScreen();
  // The keyboard goes to this window; nothing changes when it has it,
  // unless asked to ask again (when the toolkit may not know yet where
  // the window manager has put it).
  void TakeKeyboard(bool evenWhereItIs) override;

 private:
  // Where the frame of a window opened beside another goes; the caller
  // moves aside where that place would hide its field.
  QPoint BesideCaller(QSize frameSize);
  // While the window manager places the window: it is put back where it
  // was meant to be, its title bar on the work area, wherever the window
  // manager put it.
  void KeepPlaced();
  void FollowPlace();
  void Place();
  void PlaceBesideCallerAgain();
  void BuildMenuBar();
  void ChooseScale(const WindowProperties& p);
  Scale FittingFor(const WindowProperties& p, QMargins frame) const;
  void ScaleForFrame(QMargins frame);
  void FocusFirstEmptyField();
  void GiveFocus();
  bool TypesText(const QWidget* widget) const;

  Window& owner_;
  QPointer<QWidget> frame_;
  QPointer<QWidget> content_;
  QPointer<QWidget> menuBar_;
  std::vector<QPointer<QWidget>> typingFields_;  // in the order of Tab
  QPointer<QWidget> focusWhenHidden_;            // a typing field, or none
  QPointer<QWidget> placedBeside_;
  std::optional<PressMark> guardedPlace_;
  std::optional<Qt::WindowFlags> flags_;
  QPointer<QTimer> follow_;
  QElapsedTimer followingFor_;
  QElapsedTimer shownFor_;
  qint64 framedSince_ = -1;
  QRect lastSeen_;
  Scale scale_;
  bool scaleChosen_ = false;
  bool scaleAssumesFrame_ = false;
  bool firstPaintSeen_ = false;
  bool placeAgain_ = false;
  bool made_ = false;
};

// Whether the widget belongs to a window of the framework, and which.
Window* WindowOf(const QWidget* widget);
// The scale of the window that the widget lies in.
Scale ScaleOf(const QWidget* widget);

}  // namespace fw::qt
