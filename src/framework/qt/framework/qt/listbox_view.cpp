#include "framework/qt/listbox_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QMimeData>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>
#include <climits>
#include <set>

#include "framework/application/dispatch.h"
#include "framework/picture/graphics.h"
#include "framework/qt/painting.h"
#include "framework/qt/window_peer.h"
#include "framework/window/window.h"

namespace fw::qt {

// Paints the cells. When the program handles the cell events, each cell's
// background and then its text are offered to it first, and what it draws
// itself is not drawn over.
class ListboxCellPainter : public QStyledItemDelegate {
 public:
  explicit ListboxCellPainter(QObject* parent) : QStyledItemDelegate(parent) {}

  Control* owner = nullptr;
  bool horizontalLines = false;
  bool verticalLines = false;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const bool offerBackground = owner && owner->Handles(CellBackgroundPaint);
    const bool offerText = owner && owner->Handles(CellTextPaint);
    if (offerBackground || offerText) {
      PaintOffered(painter, option, index, offerBackground, offerText);
    } else {
      QStyledItemDelegate::paint(painter, option, index);
    }
    PaintGrid(painter, option);
  }

 private:
  static QStyle* StyleOf(const QStyleOptionViewItem& option) {
    return option.widget ? option.widget->style() : QApplication::style();
  }

  // Where the text's baseline starts, from the cell's top-left corner.
  static QPoint TextOrigin(const QStyleOptionViewItem& option) {
    QStyle* style = StyleOf(option);
    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &option, option.widget);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) + 1;
    const QFontMetrics metrics(option.font);
    const int top = text.top() + (text.height() - metrics.height()) / 2;
    return QPoint(text.left() + margin, top + metrics.ascent()) - option.rect.topLeft();
  }

  void PaintOffered(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
                    bool offerBackground, bool offerText) const {
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    QStyle* style = StyleOf(item);
    const int32_t row = index.row();
    const int32_t column = index.column();

    const bool ownBackground =
        offerBackground && Offer(painter, item.rect, CellBackgroundPaint, row, column);
    if (!ownBackground)
      style->drawPrimitive(QStyle::PE_PanelItemViewItem, &item, painter, item.widget);

    const QPoint origin = ScaleOf(item.widget).FromScreen(TextOrigin(item));
    const bool ownText =
        offerText && Offer(painter, item.rect, CellTextPaint, row, column, origin.x(), origin.y());
    if (!ownText) {
      // The item's usual drawing, with its background (done above, or left
      // to the program) made see-through. The focus frame takes its colour
      // from the highlight, so it is drawn apart, with the true one.
      QStyleOptionViewItem textOnly(item);
      textOnly.backgroundBrush = Qt::NoBrush;
      textOnly.palette.setBrush(QPalette::Highlight, Qt::transparent);
      textOnly.state &= ~QStyle::State_HasFocus;
      style->drawControl(QStyle::CE_ItemViewItem, &textOnly, painter, item.widget);
      if (item.state & QStyle::State_HasFocus) PaintFocus(painter, item);
    }
  }

  // As the style frames the focused item in its own item drawing.
  static void PaintFocus(QPainter* painter, const QStyleOptionViewItem& item) {
    QStyle* style = StyleOf(item);
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(item);
    focus.rect = style->subElementRect(QStyle::SE_ItemViewItemFocusRect, &item, item.widget);
    focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
    const auto group = (item.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
    focus.backgroundColor = item.palette.color(
        group, (item.state & QStyle::State_Selected) ? QPalette::Highlight : QPalette::Window);
    painter->save();
    painter->setClipRect(item.rect, Qt::IntersectClip);
    style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, item.widget);
    painter->restore();
  }

  template <class... A>
  bool Offer(QPainter* painter, const QRect& cell, const Event<bool(Graphics&, A...)>& event,
             std::type_identity_t<A>... numbers) const {
    // An earlier handler of this paint may have given the control up.
    if (!owner) return false;
    Control& control = *owner;
    // The handler may close the window; both stay alive until it returns.
    Ref<Object> keepControl = control.shared_from_this();
    Ref<Window> keepWindow = control.Window();
    painter->save();
    painter->translate(cell.topLeft());
    painter->setClipRect(QRect(QPoint(0, 0), cell.size()), Qt::IntersectClip);
    // A list shown smaller paints its cells in the layout's numbers.
    const Scale scale = ScaleOf(qobject_cast<const QWidget*>(parent()));
    const QSize laidOut(scale.FromScreen(cell.width()), scale.FromScreen(cell.height()));
    PaintInLayout(*painter, cell.size(), laidOut);
    Ref<Graphics> g = GraphicsOnPainter(*painter, laidOut.width(), laidOut.height());
    bool drawn = false;
    DispatchPaint([&] { drawn = control.Raise(event, *g, numbers...); });
    Detach(*g);
    painter->restore();
    return drawn;
  }

  void PaintGrid(QPainter* painter, const QStyleOptionViewItem& option) const {
    if (!horizontalLines && !verticalLines) return;
    const int hint =
        StyleOf(option)->styleHint(QStyle::SH_Table_GridLineColor, &option, option.widget);
    painter->save();
    painter->setPen(QColor::fromRgba(static_cast<QRgb>(hint)));
    const QRect& r = option.rect;
    if (horizontalLines) painter->drawLine(r.bottomLeft(), r.bottomRight());
    if (verticalLines) painter->drawLine(r.topRight(), r.bottomRight());
    painter->restore();
  }
};

ListboxView::ListboxView(QWidget* parent)
    : QTableWidget(parent), painter_(new ListboxCellPainter(this)) {
  setItemDelegate(painter_);
  setEditTriggers(NoEditTriggers);
  setSelectionBehavior(SelectRows);
  setSelectionMode(SingleSelection);
  // Each direction of the grid is the cell painter's, on its own.
  setShowGrid(false);
  setWordWrap(false);
  setTextElideMode(Qt::ElideRight);
  // Tab moves on to the next control, as it does everywhere else.
  setTabKeyNavigation(false);
  setCornerButtonEnabled(false);
  setHorizontalScrollMode(ScrollPerPixel);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  QHeaderView* header = horizontalHeader();
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  // A heading sorts nothing and selects nothing.
  header->setSectionsClickable(false);
  header->setHighlightSections(false);
  header->setStretchLastSection(false);
  connect(header, &QHeaderView::sectionResized, this, [this] {
    if (!applyingWidths_) userSizedColumns_ = true;
  });
}

ListboxView::~ListboxView() { horizontalHeader()->disconnect(this); }

void ListboxView::Fill(const ListContent& content) {
  setRowCount(0);
  setColumnCount(content.columns);
  QStringList headings;
  for (const auto& heading : content.headings) headings << QString::fromStdString(heading);
  setHorizontalHeaderLabels(headings);

  const int rows = static_cast<int>(std::min<size_t>(content.rows.size(), INT_MAX));
  setRowCount(rows);
  const Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled;
  for (int r = 0; r < rows; ++r) {
    const auto& cells = content.rows[static_cast<size_t>(r)];
    for (int c = 0; c < content.columns && static_cast<size_t>(c) < cells.size(); ++c) {
      auto* item = new QTableWidgetItem(QString::fromStdString(cells[static_cast<size_t>(c)]));
      item->setFlags(flags);
      setItem(r, c, item);
    }
  }
  userSizedColumns_ = false;
  ApplyColumnWidths();
}

void ListboxView::SetColumnWidths(const std::string& widthList) {
  if (widthList == widthList_) return;
  widthList_ = widthList;
  userSizedColumns_ = false;
  ApplyColumnWidths();
}

void ListboxView::SetGridLines(bool horizontal, bool vertical) {
  if (painter_->horizontalLines == horizontal && painter_->verticalLines == vertical) return;
  painter_->horizontalLines = horizontal;
  painter_->verticalLines = vertical;
  viewport()->update();
}

void ListboxView::SetRowHeight(int height) {
  constexpr int kTallest = 10000;
  // A little air above and below the text.
  height =
      std::min(height <= 0 ? fontMetrics().height() + 6 : ScaleOf(this).ToScreen(height), kTallest);
  QHeaderView* rows = verticalHeader();
  if (rows->defaultSectionSize() == height) return;
  rows->setMinimumSectionSize(std::min(height, rows->minimumSectionSize()));
  rows->setDefaultSectionSize(height);
}

void ListboxView::SetPaintOwner(Control* owner) {
  painter_->owner = owner;
  viewport()->update();
}

int ListboxView::InnerWidth() const {
  if (isVisible()) return viewport()->width();
  int width = contentsRect().width();
  if (VerticalBarExpected()) {
    width -= style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar());
  }
  return std::max(width, 0);
}

bool ListboxView::VerticalBarExpected() const {
  const Qt::ScrollBarPolicy policy = verticalScrollBarPolicy();
  if (policy != Qt::ScrollBarAsNeeded) return policy == Qt::ScrollBarAlwaysOn;
  const QHeaderView* header = horizontalHeader();
  const int headingHeight = header->isHidden() ? 0 : header->sizeHint().height();
  return verticalHeader()->length() > contentsRect().height() - headingHeight;
}

void ListboxView::resizeEvent(QResizeEvent* event) {
  QTableWidget::resizeEvent(event);
  if (!userSizedColumns_) ApplyColumnWidths();
}

void ListboxView::ApplyColumnWidths() {
  // Worked out in the layout's numbers, then each column edge put where it
  // falls on a list shown smaller, so no pixel is lost between columns.
  const Scale scale = ScaleOf(this);
  const auto widths =
      ResolveColumnWidths(widthList_, columnCount(), scale.FromScreen(InnerWidth()));
  applyingWidths_ = true;
  int32_t edge = 0;
  for (size_t c = 0; c < widths.size(); ++c) {
    const int32_t next = edge + widths[c];
    setColumnWidth(static_cast<int>(c), scale.ToScreen(next) - scale.ToScreen(edge));
    edge = next;
  }
  applyingWidths_ = false;
}

QMimeData* ListboxView::mimeData(const QList<QTableWidgetItem*>& items) const {
  std::set<int> rows;
  for (const QTableWidgetItem* item : items) {
    if (item) rows.insert(item->row());
  }
  QStringList lines;
  for (int r : rows) {
    QStringList cells;
    for (int c = 0; c < columnCount(); ++c) {
      const QTableWidgetItem* cell = item(r, c);
      cells << (cell ? cell->text() : QString());
    }
    lines << cells.join(QLatin1Char('\t'));
  }
  auto* mime = new QMimeData;
  mime->setText(lines.join(QLatin1Char('\n')));
  return mime;
}

}  // namespace fw::qt
