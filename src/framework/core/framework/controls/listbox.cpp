#include "framework/controls/listbox.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <utility>

#include "framework/picture/graphics.h"

namespace fw {

namespace {

constexpr std::string_view kPadding = " \t\r\n";
// Far wider than any screen, small enough that 256 such columns still add
// up within an Int32.
constexpr double kMaxColumnPixels = 1 << 20;

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(kPadding);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kPadding) - first + 1);
}

struct WidthEntry {
  enum Kind { kShare, kPercent, kPixels } kind = kShare;
  double amount = 0;
};

WidthEntry ReadWidth(std::string_view entry) {
  entry = Trim(entry);
  const bool percent = !entry.empty() && entry.back() == '%';
  if (percent) entry = Trim(entry.substr(0, entry.size() - 1));
  double value = 0;
  const char* end = entry.data() + entry.size();
  auto [stop, error] = std::from_chars(entry.data(), end, value);
  if (entry.empty() || error != std::errc() || stop != end || !std::isfinite(value) || value < 0) {
    return {};
  }
  return {percent ? WidthEntry::kPercent : WidthEntry::kPixels, std::min(value, kMaxColumnPixels)};
}

int32_t ClampColumns(int32_t columns) {
  return std::clamp(columns, int32_t{1}, Listbox::kMaxColumns);
}

// The first `count` pieces of the text between separators; those missing
// are empty.
std::vector<std::string_view> Pieces(std::string_view text, char separator, int32_t count) {
  std::vector<std::string_view> pieces(static_cast<size_t>(count));
  size_t start = 0;
  for (auto& piece : pieces) {
    const size_t end = text.find(separator, start);
    piece = text.substr(start, end == std::string_view::npos ? end : end - start);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return pieces;
}

}  // namespace

ListContent ParseListText(std::string_view text, int32_t columns, bool hasHeading) {
  ListContent content;
  content.columns = ClampColumns(columns);
  content.headings.resize(static_cast<size_t>(content.columns));
  bool first = true;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t end = text.find_first_of("\r\n", pos);
    const std::string_view line = text.substr(pos, end == std::string_view::npos ? end : end - pos);
    const auto pieces = Pieces(line, '\t', content.columns);
    std::vector<std::string> cells(pieces.begin(), pieces.end());
    if (first && hasHeading) {
      content.headings = std::move(cells);
    } else {
      content.rows.push_back(std::move(cells));
    }
    first = false;
    if (end == std::string_view::npos) break;
    const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    pos = end + (crlf ? 2 : 1);
  }
  return content;
}

std::vector<int32_t> ResolveColumnWidths(std::string_view widthList, int32_t columns,
                                         int32_t available) {
  if (columns <= 0) return {};
  columns = std::min(columns, Listbox::kMaxColumns);
  const double whole = std::clamp<double>(available, 0, kMaxColumnPixels);
  std::vector<WidthEntry> entries;
  for (std::string_view entry : Pieces(widthList, ',', columns))
    entries.push_back(ReadWidth(entry));

  std::vector<double> widths(entries.size());
  double taken = 0;
  int sharers = 0;
  for (size_t c = 0; c < entries.size(); ++c) {
    switch (entries[c].kind) {
      case WidthEntry::kPercent:
        widths[c] = std::min(whole * entries[c].amount / 100, kMaxColumnPixels);
        break;
      case WidthEntry::kPixels:
        widths[c] = entries[c].amount;
        break;
      case WidthEntry::kShare:
        ++sharers;
        continue;
    }
    taken += widths[c];
  }
  const double rest = std::max(0.0, whole - taken);
  for (size_t c = 0; c < entries.size(); ++c) {
    if (entries[c].kind == WidthEntry::kShare) widths[c] = rest / sharers;
  }

  // Rounding the running total rather than each column keeps the columns
  // adding up to the whole, with no pixel lost or gained between them.
  std::vector<int32_t> result;
  result.reserve(widths.size());
  double total = 0;
  int32_t edge = 0;
  for (double width : widths) {
    total += width;
    const auto next = static_cast<int32_t>(std::lround(total));
    result.push_back(next - edge);
    edge = next;
  }
  return result;
}

const ClassRecord& Listbox::Lookup() {
  static const ClassRecord record = [] {
    using P = ControlProperties;
    using L = ListboxProperties;
    auto own = Own<&Listbox::own_>();
    return ControlRecord<Listbox>({Common("TabStop", &P::tabStop),
                                   own("Border", &L::border),
                                   own("ColumnCount", &L::columnCount),
                                   own("ColumnWidths", &L::columnWidths),
                                   own("HasHeading", &L::hasHeading),
                                   own("UseFocusRing", &L::useFocusRing),
                                   own("InitialValue", &L::initialValue),
                                   own("HeadingIndex", &L::headingIndex),
                                   own("ScrollbarHorizontal", &L::scrollbarHorizontal),
                                   own("ScrollBarVertical", &L::scrollBarVertical),
                                   own("GridLinesHorizontal", &L::gridLinesHorizontal),
                                   own("GridLinesVertical", &L::gridLinesVertical),
                                   own("DefaultRowHeight", &L::defaultRowHeight),
                                   own("_ScrollWidth", &L::scrollWidth),
                                   own("Hierarchical", &L::hierarchical),
                                   own("EnableDrag", &L::enableDrag),
                                   own("EnableDragReorder", &L::enableDragReorder),
                                   own("RequiresSelection", &L::requiresSelection),
                                   own("SelectionType", &L::selectionType),
                                   own("ColumnsResizable", &L::columnsResizable),
                                   own("AutoHideScrollbars", &L::autoHideScrollbars),
                                   Common("DataSource", &P::dataSource),
                                   Common("DataField", &P::dataField)},
                                  {Change, CellTextPaint, CellBackgroundPaint});
  }();
  return record;
}

const ListContent& Listbox::Content() const {
  const int32_t columns = ColumnCount();
  if (contentRevision_ == 0 || content_.columns != columns || contentHeading_ != own_.hasHeading ||
      contentText_ != own_.initialValue) {
    content_ = ParseListText(own_.initialValue, columns, own_.hasHeading);
    contentText_ = own_.initialValue;
    contentHeading_ = own_.hasHeading;
    ++contentRevision_;
  }
  return content_;
}

int32_t Listbox::ListCount() const {
  return static_cast<int32_t>(std::min<size_t>(Content().rows.size(), INT32_MAX));
}

int32_t Listbox::ColumnCount() const { return ClampColumns(own_.columnCount); }

std::string Listbox::Cell(int32_t row, int32_t column) const {
  const auto& rows = Content().rows;
  if (row < 0 || static_cast<size_t>(row) >= rows.size()) return {};
  const auto& cells = rows[static_cast<size_t>(row)];
  if (column < 0 || static_cast<size_t>(column) >= cells.size()) return {};
  return cells[static_cast<size_t>(column)];
}

std::string Listbox::Heading(int32_t column) const {
  const auto& headings = Content().headings;
  if (column < 0 || static_cast<size_t>(column) >= headings.size()) return {};
  return headings[static_cast<size_t>(column)];
}

std::unique_ptr<ControlPeer> Listbox::MakePeer(fw::Window& window) {
  shownRevision_ = 0;
  return PeerFor(window, *this, own_);
}

void Listbox::SyncPeer() {
  Peer()->Sync();
  const ListContent& content = Content();
  if (shownRevision_ != contentRevision_) {
    ListPeer().Fill(content);
    shownRevision_ = contentRevision_;
  }
  if (indexWithoutWidget_ >= 0) {
    const int32_t row = std::exchange(indexWithoutWidget_, -1);
    if (row < ListCount()) ListIndex(row);
  }
}

int32_t Listbox::ListIndex() const {
  if (!Peer()) return indexWithoutWidget_ < ListCount() ? indexWithoutWidget_ : -1;
  return ListPeer().SelectedRow();
}

void Listbox::ListIndex(int32_t row) {
  if (row < -1 || row >= ListCount()) {
    throw InvalidArgumentException("Die Liste „" + Name() + "“ hat keine Zeile " +
                                   std::to_string(row) + " (sie hat " +
                                   std::to_string(ListCount()) + " Zeilen).");
  }
  if (Peer()) {
    ListPeer().SelectRow(row);
  } else {
    indexWithoutWidget_ = row;
  }
}

int32_t Listbox::ColumnWidth(int32_t column) const {
  if (!Peer() || column < 0 || column >= ColumnCount()) return 0;
  return ListPeer().ColumnWidth(column);
}

int32_t Listbox::ScrollPosition() const { return Peer() ? ListPeer().FirstRowInView() : 0; }

}  // namespace fw
