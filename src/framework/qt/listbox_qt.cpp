#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QObject>
#include <QScrollBar>
#include <algorithm>
#include <string>
#include <utility>

#include "framework/controls/listbox.h"
#include "framework/qt/control_peer.h"
#include "framework/qt/listbox_view.h"
#include "framework/qt/window_peer.h"

namespace fw {

namespace {

class ListboxPeer;

// Clicks on the heading land on its own viewport, which the common peer
// does not watch; MouseDown is raised from here, in the list's coordinates.
class ClickForwarder : public QObject {
 public:
  ClickForwarder(ListboxPeer& peer, QWidget* list) : peer_(peer), list_(list) {}
  bool eventFilter(QObject* target, QEvent* event) override;

 private:
  ListboxPeer& peer_;
  QWidget* list_;
};

class ListboxPeer : public qt::ControlPeer {
 public:
  ListboxPeer(Listbox& owner, qt::ListboxView* view)
      : ControlPeer(owner, view), clicks_(*this, view) {
    view->SetPaintOwner(&owner);
    view->horizontalHeader()->viewport()->installEventFilter(&clicks_);
    // Bound to connections_, so that nothing reaches a peer that is gone
    // while the table waits for its deferred deletion.
    QObject::connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, &connections_,
                     [this] {
                       if (!quiet_ && Owner().Handles(Change)) Raise(Change);
                     });
  }

  ~ListboxPeer() override {
    if (qt::ListboxView* view = View()) {
      view->SetPaintOwner(nullptr);
      view->horizontalHeader()->viewport()->removeEventFilter(&clicks_);
    }
  }

  qt::ListboxView* View() const { return static_cast<qt::ListboxView*>(Widget()); }

  // Selection changes that the program makes raise no Change: that event
  // tells of the user's choices.
  template <class Work>
  void Quietly(Work&& work) {
    const bool was = quiet_;
    quiet_ = true;
    work();
    quiet_ = was;
  }

 private:
  ClickForwarder clicks_;
  QObject connections_;
  bool quiet_ = false;
};

bool ClickForwarder::eventFilter(QObject* target, QEvent* event) {
  if (event->type() != QEvent::MouseButtonPress || !peer_.Owner().Handles(MouseDown)) return false;
  auto* mouse = static_cast<QMouseEvent*>(event);
  const QPoint at = static_cast<QWidget*>(target)->mapTo(list_, mouse->position().toPoint());
  return peer_.Raise(MouseDown, at.x(), at.y());
}

Qt::ScrollBarPolicy BarPolicy(bool wanted, bool autoHide) {
  if (!wanted) return Qt::ScrollBarAlwaysOff;
  return autoHide ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOn;
}

ListboxPeer& PeerOf(const Control& control) { return static_cast<ListboxPeer&>(*control.Peer()); }

}  // namespace

std::unique_ptr<qt::ControlPeer> Listbox::MakePeer(qt::WindowPeer& window) {
  shownRevision_ = 0;
  return std::make_unique<ListboxPeer>(*this, new qt::ListboxView(window.Content()));
}

void Listbox::SyncPeer() {
  ListboxPeer& peer = PeerOf(*this);
  qt::ListboxView* view = peer.View();
  peer.ApplyCommon(common_);
  // Headings in the desktop's own face, as lists elsewhere head their
  // columns, and bold like the rows: the rows' larger face would cut the
  // longer headings short within their columns.
  QFont heading = QApplication::font(view->horizontalHeader());
  heading.setBold(common_.bold);
  // All of it the header's own, none taken over from the list's face.
  heading.setResolveMask(QFont::AllPropertiesResolved);
  view->horizontalHeader()->setFont(qt::ScaleOf(view).ToScreen(heading));

  const QFrame::Shape frame = own_.border ? QFrame::StyledPanel : QFrame::NoFrame;
  if (view->frameShape() != frame) view->setFrameShape(frame);
  view->setSelectionMode(own_.selectionType == 1 ? QAbstractItemView::ExtendedSelection
                                                 : QAbstractItemView::SingleSelection);
  const auto vertical = BarPolicy(own_.scrollBarVertical, own_.autoHideScrollbars);
  if (view->verticalScrollBarPolicy() != vertical) view->setVerticalScrollBarPolicy(vertical);
  const auto horizontal = BarPolicy(own_.scrollbarHorizontal, own_.autoHideScrollbars);
  if (view->horizontalScrollBarPolicy() != horizontal)
    view->setHorizontalScrollBarPolicy(horizontal);
  view->setDragEnabled(own_.enableDrag);
  view->SetGridLines(own_.gridLinesHorizontal > 0, own_.gridLinesVertical > 0);
  view->SetRowHeight(own_.defaultRowHeight);

  QHeaderView* header = view->horizontalHeader();
  header->setVisible(own_.hasHeading);
  const auto sizing = own_.columnsResizable ? QHeaderView::Interactive : QHeaderView::Fixed;

  const ListContent& content = Content();
  if (shownRevision_ != contentRevision_) {
    peer.Quietly([&] { view->Fill(content); });
    shownRevision_ = contentRevision_;
  }
  if (indexWithoutWidget_ >= 0) {
    const int32_t row = std::exchange(indexWithoutWidget_, -1);
    if (row < ListCount()) ListIndex(row);
  }
  if (header->count() > 0 && header->sectionResizeMode(0) != sizing) {
    header->setSectionResizeMode(sizing);
  }
  view->SetColumnWidths(own_.columnWidths);
}

int32_t Listbox::ListIndex() const {
  if (!Peer()) return indexWithoutWidget_ < ListCount() ? indexWithoutWidget_ : -1;
  const QItemSelection selection = PeerOf(*this).View()->selectionModel()->selection();
  int first = -1;
  for (const QItemSelectionRange& range : selection) {
    if (first < 0 || range.top() < first) first = range.top();
  }
  return first;
}

void Listbox::ListIndex(int32_t row) {
  if (row < -1 || row >= ListCount()) {
    throw InvalidArgumentException("Die Liste „" + Name() + "“ hat keine Zeile " +
                                   std::to_string(row) + " (sie hat " +
                                   std::to_string(ListCount()) + " Zeilen).");
  }
  if (!Peer()) {
    indexWithoutWidget_ = row;
    return;
  }
  ListboxPeer& peer = PeerOf(*this);
  qt::ListboxView* view = peer.View();
  peer.Quietly([&] {
    if (row < 0) {
      view->clearSelection();
    } else {
      view->selectionModel()->setCurrentIndex(
          view->model()->index(row, 0),
          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
  });
}

int32_t Listbox::ColumnWidth(int32_t column) const {
  if (!Peer() || column < 0 || column >= ColumnCount()) return 0;
  qt::ListboxView* view = PeerOf(*this).View();
  return qt::ScaleOf(view).FromScreen(view->columnWidth(column));
}

int32_t Listbox::ScrollPosition() const {
  if (!Peer()) return 0;
  return std::max(PeerOf(*this).View()->rowAt(0), 0);
}

}  // namespace fw
