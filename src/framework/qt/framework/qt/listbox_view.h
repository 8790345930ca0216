#pragma once

#include <QTableWidget>
#include <string>

#include "framework/controls/listbox.h"

namespace fw::qt {

class ListboxCellPainter;

// The table that shows a Listbox. It keeps the column widths that the
// layout asks for while the list's inner width changes (the vertical scroll
// bar coming and going), until the user sizes a column by hand, and it hands
// dragged rows over as plain text.
class ListboxView : public QTableWidget {
 public:
  explicit ListboxView(QWidget* parent);
  ~ListboxView() override;

  void Fill(const ListContent& content);
  void SetColumnWidths(const std::string& widthList);
  void SetGridLines(bool horizontal, bool vertical);
  // A height of 0 or less follows the font.
  void SetRowHeight(int height);
  // The control whose cell events the painting raises; null once it is gone.
  void SetPaintOwner(Control* owner);

  // The width that the columns share: the viewport's, or before the list is
  // first laid out, what it will be.
  int InnerWidth() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  QMimeData* mimeData(const QList<QTableWidgetItem*>& items) const override;

 private:
  void ApplyColumnWidths();
  bool VerticalBarExpected() const;

  ListboxCellPainter* painter_;
  std::string widthList_;
  bool applyingWidths_ = false;
  bool userSizedColumns_ = false;
};

}  // namespace fw::qt
