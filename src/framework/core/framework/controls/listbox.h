#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/controls/control.h"

namespace fw {

struct ListboxProperties {
  bool border = true;
  int32_t columnCount = 1;
  std::string columnWidths;
  bool hasHeading = false;
  bool useFocusRing = true;
  std::string initialValue;
  int32_t headingIndex = -1;
  bool scrollbarHorizontal = false;
  bool scrollBarVertical = true;
  int32_t gridLinesHorizontal = 0;
  int32_t gridLinesVertical = 0;
  int32_t defaultRowHeight = -1;
  int32_t scrollWidth = -1;
  bool hierarchical = false;
  bool enableDrag = false;
  bool enableDragReorder = false;
  bool requiresSelection = false;
  int32_t selectionType = 0;
  bool columnsResizable = false;
  bool autoHideScrollbars = true;
};

// What a list shows: headings, and rows of exactly `columns` cells each.
struct ListContent {
  int32_t columns = 1;
  std::vector<std::string> headings;
  std::vector<std::vector<std::string>> rows;
};

// A list text cut into rows (CR, LF or CR LF between rows, TAB between
// cells). With a heading, the first line names the columns. Short lines are
// padded with empty cells; cells beyond the last column are dropped.
ListContent ParseListText(std::string_view text, int32_t columns, bool hasHeading);

// Pixel widths of the columns from a width list such as "20%,20%,60%":
// "N%" is a share of the available width, a plain number is pixels, and "*"
// or an empty or unreadable entry shares what the others leave. Blanks and
// line breaks around entries are ignored; columns without an entry share
// the rest too. The widths are never negative.
std::vector<int32_t> ResolveColumnWidths(std::string_view widthList, int32_t columns,
                                         int32_t available);

// What a list asks of its widget besides the common peer's part, whose
// Sync shows all but the rows.
class ListboxPeer {
 public:
  virtual ~ListboxPeer() = default;
  virtual void Fill(const ListContent& content) = 0;
  virtual int32_t SelectedRow() const = 0;
  // Raises no Change; -1 clears the selection.
  virtual void SelectRow(int32_t row) = 0;
  virtual int32_t ColumnWidth(int32_t column) const = 0;
  virtual int32_t FirstRowInView() const = 0;
};

// Its peer is a ListboxPeer too.
std::unique_ptr<ControlPeer> PeerFor(Window&, Control& owner, const ListboxProperties& own);

// A list of rows and columns, filled from its layout's InitialValue. The
// user selects rows; the program may paint cells itself through the
// CellBackgroundPaint and CellTextPaint events.
class Listbox : public Control {
 public:
  static constexpr const char* kTypeName = "Listbox";
  static constexpr int32_t kMaxColumns = 256;
  static const ClassRecord& Lookup();

  int32_t ListCount() const;
  int32_t ColumnCount() const;
  // Empty when the row or column does not exist.
  std::string Cell(int32_t row, int32_t column) const;
  std::string Heading(int32_t column) const;

  // The selected row (the first one, when several are), or -1.
  int32_t ListIndex() const;
  // Selects one row; -1 clears the selection. Raises no Change, which is
  // kept for the user's choices.
  void ListIndex(int32_t row);

  int32_t ColumnWidth(int32_t column) const;
  // The first row in view.
  int32_t ScrollPosition() const;

 protected:
  const ClassRecord& NativeClass() const override { return Lookup(); }
  std::unique_ptr<ControlPeer> MakePeer(fw::Window& window) override;
  void SyncPeer() override;

 private:
  // The content for the current properties, cut anew only when the text,
  // the column count or the heading flag has changed.
  const ListContent& Content() const;
  ListboxPeer& ListPeer() const { return dynamic_cast<ListboxPeer&>(*Peer()); }

  ListboxProperties own_;

  mutable ListContent content_;
  mutable std::string contentText_;
  mutable bool contentHeading_ = false;
  mutable uint64_t contentRevision_ = 0;  // 0: not cut yet

  // What the peer currently shows, so that a sync leaves the rows alone
  // when nothing they come from has changed.
  uint64_t shownRevision_ = 0;
  // The row selected before the list had a widget, selected on it once made.
  int32_t indexWithoutWidget_ = -1;
};

}  // namespace fw
