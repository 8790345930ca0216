#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QObject>
#include <QScrollBar>
#include <algorithm>
#include <string>

#include "framework/controls/listbox.h"
#include "framework/qt/control_peer.h"
#include "framework/qt/listbox_view.h"
#include "framework/qt/window_peer.h"

namespace fw {

namespace {

class TablePeer;

// Clicks on the heading land on its own viewport, which the common peer
// does not watch; MouseDown is raised from here, in the list's coordinates.
class ClickForwarder : public QObject {
 public:
  ClickForwarder(TablePeer& peer, QWidget* list) : peer_(peer), list_(list) {}
  bool eventFilter(QObject* target, QEvent* event) override;

 private:
  TablePeer& peer_;
  QWidget* list_;
};

Qt::ScrollBarPolicy BarPolicy(bool wanted, bool autoHide) {
  if (!wanted) return Qt::ScrollBarAlwaysOff;
  return autoHide ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOn;
}

class TablePeer : public qt::ControlPeer, public ListboxPeer {
 public:
  TablePeer(Control& owner, const ListboxProperties& own, qt::ListboxView* view)
      : ControlPeer(owner, view), own_(own), clicks_(*this, view) {
    view->SetPaintOwner(&owner);
    view->horizontalHeader()->viewport()->installEventFilter(&clicks_);
    // Bound to connections_, so that nothing reaches a peer that is gone
    // while the table waits for its deferred deletion.
    QObject::connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, &connections_,
                     [this] {
                       if (!quiet_ && Owner().Handles(Change)) Raise(Change);
                     });
    showOwn = [this] { ShowOwn(); };
  }

  ~TablePeer() override {
    if (qt::ListboxView* view = View()) {
      view->SetPaintOwner(nullptr);
      view->horizontalHeader()->viewport()->removeEventFilter(&clicks_);
    }
  }

  void Fill(const ListContent& content) override {
    Quietly([&] { View()->Fill(content); });
  }

  void SizeColumns() override {
    QHeaderView* header = View()->horizontalHeader();
    const auto sizing = own_.columnsResizable ? QHeaderView::Interactive : QHeaderView::Fixed;
    if (header->count() > 0 && header->sectionResizeMode(0) != sizing) {
      header->setSectionResizeMode(sizing);
    }
    View()->SetColumnWidths(own_.columnWidths);
  }

  int32_t SelectedRow() const override {
    int first = -1;
    for (const QItemSelectionRange& range : View()->selectionModel()->selection()) {
      if (first < 0 || range.top() < first) first = range.top();
    }
    return first;
  }

  void SelectRow(int32_t row) override {
    qt::ListboxView* view = View();
    Quietly([&] {
      if (row < 0) {
        view->clearSelection();
      } else {
        view->selectionModel()->setCurrentIndex(
            view->model()->index(row, 0),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
      }
    });
  }

  int32_t ColumnWidth(int32_t column) const override {
    return qt::ScaleOf(View()).FromScreen(View()->columnWidth(column));
  }

  int32_t FirstRowInView() const override { return std::max(View()->rowAt(0), 0); }

 private:
  qt::ListboxView* View() const { return static_cast<qt::ListboxView*>(Widget()); }

  void ShowOwn() {
    qt::ListboxView* view = View();
    // Headings in the desktop's own face, as lists elsewhere head their
    // columns, and bold like the rows: the rows' larger face would cut the
    // longer headings short within their columns.
    QFont heading = QApplication::font(view->horizontalHeader());
    heading.setBold(Owner().Common().bold);
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
    view->horizontalHeader()->setVisible(own_.hasHeading);
  }

  // Selection changes that the program makes raise no Change: that event
  // tells of the user's choices.
  template <class Work>
  void Quietly(Work&& work) {
    const bool was = quiet_;
    quiet_ = true;
    work();
    quiet_ = was;
  }

  const ListboxProperties& own_;
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

}  // namespace

std::unique_ptr<ControlPeer> PeerFor(Window& window, Control& owner, const ListboxProperties& own) {
  return std::make_unique<TablePeer>(owner, own, new qt::ListboxView(window.Peer().Content()));
}

}  // namespace fw
