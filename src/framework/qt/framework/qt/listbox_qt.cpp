#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <algorithm>

#include "framework/controls/listbox.h"
#include "framework/qt/control_peer.h"
#include "framework/qt/listbox_view.h"
#include "framework/qt/window_peer.h"

namespace fw {

namespace {

Qt::ScrollBarPolicy BarPolicy(bool wanted, bool autoHide) {
  if (!wanted) return Qt::ScrollBarAlwaysOff;
  return autoHide ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOn;
}

class TablePeer : public qt::ControlPeer, public ListboxPeer {
 public:
  TablePeer(Control& owner, const ListboxProperties& own, qt::ListboxView* view)
      : ControlPeer(owner, view), own_(own), heading_(view->horizontalHeader()->viewport()) {
    view->SetPaintOwner(&owner);
    heading_->installEventFilter(this);
    // Bound to the peer, so that nothing reaches a peer that is gone while
    // the table waits for its deferred deletion.
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
      if (!quiet_ && Owner().Handles(Change)) Raise(Change);
    });
    showOwn = [this] { ShowOwn(); };
  }

  ~TablePeer() override {
    if (qt::ListboxView* view = View()) view->SetPaintOwner(nullptr);
    if (heading_) heading_->removeEventFilter(this);
  }

  // Clicks on the heading land on its own viewport; MouseDown is raised in
  // the list's coordinates.
  bool eventFilter(QObject* target, QEvent* event) override {
    if (target != heading_) return ControlPeer::eventFilter(target, event);
    if (event->type() != QEvent::MouseButtonPress || !Owner().Handles(MouseDown)) return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = heading_->mapTo(Widget(), mouse->position().toPoint());
    return Raise(MouseDown, at.x(), at.y());
  }

  void Fill(const ListContent& content) override {
    const QScopedValueRollback quiet(quiet_, true);
    View()->Fill(content);
  }

  int32_t SelectedRow() const override {
    int first = -1;
    for (const QItemSelectionRange& range : View()->selectionModel()->selection()) {
      if (first < 0 || range.top() < first) first = range.top();
    }
    return first;
  }

  void SelectRow(int32_t row) override {
    const QScopedValueRollback quiet(quiet_, true);
    qt::ListboxView* view = View();
    if (row < 0) {
      view->clearSelection();
    } else {
      view->selectionModel()->setCurrentIndex(
          view->model()->index(row, 0),
          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
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
    QHeaderView* header = view->horizontalHeader();
    header->setVisible(own_.hasHeading);
    // Columns added later take the header's sizing too.
    const auto sizing = own_.columnsResizable ? QHeaderView::Interactive : QHeaderView::Fixed;
    if (header->count() == 0 || header->sectionResizeMode(0) != sizing) {
      header->setSectionResizeMode(sizing);
    }
    view->SetColumnWidths(own_.columnWidths);
  }

  const ListboxProperties& own_;
  QPointer<QWidget> heading_;
  // Selection changes that the program makes raise no Change: that event
  // tells of the user's choices.
  bool quiet_ = false;
};

}  // namespace

std::unique_ptr<ControlPeer> PeerFor(Window& window, Control& owner, const ListboxProperties& own) {
  return std::make_unique<TablePeer>(owner, own, new qt::ListboxView(window.Peer().Content()));
}

}  // namespace fw
