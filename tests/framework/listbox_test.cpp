#include "framework/controls/listbox.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QMimeData>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "framework/picture/graphics.h"
#include "framework/property_stream/property_stream.h"
#include "framework/qt/control_peer.h"
#include "framework/runtime/exceptions.h"
#include "framework/window/window.h"
#include "support/harness.h"

namespace {

const std::string kHeadingLine = "Schwier.-Grad\tK\xC3\xBCrzel\tTitel";
const std::string kSmallList = kHeadingLine +
                               "\r       1\tgold\tGolden Girl"
                               "\r       2\tbird\tBirdy"
                               "\r      10\tband\tDie Band von nebenan";

// The list of the program, 82 entries under the heading line.
std::string LongList() {
  std::string text = kHeadingLine;
  for (int n = 1; n <= 82; ++n) {
    text += (n < 10 ? "\r       " : "\r     ") + std::to_string(n) + "\tc" + std::to_string(n) +
            "\tTitel Nummer " + std::to_string(n);
  }
  return text;
}

// The whole layout stream of the program's list, in its stored order.
std::string ListStream(const std::string& initialValue, bool hasHeading = true) {
  fw::PropertyStreamBuilder b;
  b.String("Name", "Listbox1")
      .Integer("Index", INT32_MIN)
      .Integer("Left", 27)
      .Integer("Top", 30)
      .Integer("Width", 550)
      .Integer("Height", 575)
      .Boolean("LockLeft", true)
      .Boolean("LockTop", true)
      .Boolean("LockRight", false)
      .Boolean("LockBottom", false)
      .Integer("TabPanelIndex", 0)
      .Integer("TabIndex", 1)
      .Boolean("TabStop", true)
      .Boolean("Visible", true)
      .String("HelpTag", "")
      .Boolean("AutoDeactivate", true)
      .Boolean("Enabled", true)
      .Boolean("Border", true)
      .Integer("ColumnCount", 3)
      .String("ColumnWidths", "20%,20%,60%,\r\r\r")
      .Boolean("HasHeading", hasHeading)
      .Boolean("UseFocusRing", true)
      .String("InitialValue", initialValue)
      .Integer("HeadingIndex", -1)
      .Boolean("ScrollbarHorizontal", false)
      .Boolean("ScrollBarVertical", true)
      .Integer("GridLinesHorizontal", 3)
      .Integer("GridLinesVertical", 3)
      .Integer("DefaultRowHeight", -1)
      .Integer("_ScrollWidth", -1)
      .String("TextFont", "Verdana")
      .Integer("TextSize", 14)
      .Boolean("Bold", true)
      .Boolean("Italic", false)
      .Boolean("Underline", false)
      .Boolean("Hierarchical", false)
      .Boolean("EnableDrag", true)
      .Boolean("EnableDragReorder", false)
      .Boolean("RequiresSelection", false)
      .Integer("SelectionType", 0)
      .Boolean("ColumnsResizable", true)
      .Boolean("AutoHideScrollbars", true)
      .String("DataSource", "")
      .String("DataField", "")
      .String("InitialParent", "");
  return b.Bytes();
}

fw::Ref<fw::Delegate> Counter(int& count) {
  return std::make_shared<fw::Delegate>("(  )", [&count](const fw::Arguments&) {
    ++count;
    return fw::Value();
  });
}

class ListboxTest : public harness::FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    window = std::static_pointer_cast<fw::Window>(fw::RuntimeNewObject(fw::Window::Lookup()));
    list = std::static_pointer_cast<fw::Listbox>(window->New(fw::Listbox::Lookup()));
    window->AddControl("Listbox1", list);
  }
  void TearDown() override {
    if (window->IsOpen()) window->Close();
    list.reset();
    window.reset();
    FrameworkTest::TearDown();
  }

  void Show() {
    harness::AsHandler([this] {
      window->Constructor();
      window->Show();
    });
  }
  // The list's table, made as its window comes onto the screen.
  QTableWidget* Table() const {
    window->Peer().MakeWidgets();
    return qobject_cast<QTableWidget*>(fw::qt::WidgetOf(*list));
  }
  QPoint CellCentre(int row, int column) const {
    return Table()->visualRect(Table()->model()->index(row, column)).center();
  }
  void ClickRow(int row) {
    QTest::mouseClick(Table()->viewport(), Qt::LeftButton, {}, CellCentre(row, 0));
    harness::ProcessEvents();
  }
  int WidthSum() const {
    return list->ColumnWidth(0) + list->ColumnWidth(1) + list->ColumnWidth(2);
  }

  fw::Ref<fw::Window> window;
  fw::Ref<fw::Listbox> list;
};

TEST_F(ListboxTest, LayoutStreamFillsHeadingsAndRowsExactly) {
  fw::SetProperties(*list, ListStream(kSmallList));

  EXPECT_EQ(list->ColumnCount(), 3);
  EXPECT_EQ(list->Heading(0), "Schwier.-Grad");
  EXPECT_EQ(list->Heading(1), "K\xC3\xBCrzel");
  EXPECT_EQ(list->Heading(2), "Titel");
  ASSERT_EQ(list->ListCount(), 3);
  EXPECT_EQ(list->Cell(0, 0), "       1");
  EXPECT_EQ(list->Cell(0, 1), "gold");
  EXPECT_EQ(list->Cell(0, 2), "Golden Girl");
  EXPECT_EQ(list->Cell(2, 0), "      10");
  EXPECT_EQ(list->Cell(2, 2), "Die Band von nebenan");
  EXPECT_EQ(list->ListIndex(), -1);

  // What the user sees is the same text, blanks and umlaut included.
  QTableWidget* table = Table();
  ASSERT_EQ(table->rowCount(), 3);
  ASSERT_EQ(table->columnCount(), 3);
  EXPECT_EQ(table->item(0, 0)->text(), QString("       1"));
  EXPECT_EQ(table->horizontalHeaderItem(1)->text(), QString::fromUtf8("K\xC3\xBCrzel"));
  EXPECT_FALSE(table->horizontalHeader()->isHidden());
  EXPECT_TRUE(table->verticalHeader()->isHidden());
  EXPECT_EQ(table->geometry(), QRect(27, 30, 550, 575));
  EXPECT_EQ(table->font().pixelSize(), 14);
  EXPECT_TRUE(table->font().bold());
  // The longest heading stands whole in its column.
  const QHeaderView* header = table->horizontalHeader();
  const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
  EXPECT_LE(QFontMetrics(header->font()).horizontalAdvance(table->horizontalHeaderItem(0)->text()) +
                2 * margin,
            table->columnWidth(0));
  EXPECT_TRUE(header->font().bold());
  EXPECT_EQ(table->editTriggers(), QAbstractItemView::NoEditTriggers);
  EXPECT_FALSE(table->item(0, 2)->flags() & Qt::ItemIsEditable);
  EXPECT_EQ(table->selectionBehavior(), QAbstractItemView::SelectRows);
  EXPECT_EQ(table->selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_EQ(table->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
  EXPECT_EQ(table->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_NE(table->frameShape(), QFrame::NoFrame);
}

TEST_F(ListboxTest, RowSelectedBeforeTheListHasATableIsSelectedOnIt) {
  fw::SetProperties(*list, ListStream(kSmallList));
  list->ListIndex(2);
  EXPECT_EQ(list->Peer(), nullptr);
  EXPECT_EQ(list->ListIndex(), 2);
  list->ListIndex(-1);
  EXPECT_EQ(list->ListIndex(), -1);
  list->ListIndex(1);

  QTableWidget* table = Table();
  ASSERT_NE(table, nullptr);
  ASSERT_EQ(table->selectionModel()->selectedRows().size(), 1);
  EXPECT_EQ(table->selectionModel()->selectedRows().front().row(), 1);
  EXPECT_EQ(list->ListIndex(), 1);
}

TEST_F(ListboxTest, WithoutHeadingTheFirstLineIsARow) {
  fw::SetProperties(*list, ListStream(kSmallList, false));
  ASSERT_EQ(list->ListCount(), 4);
  EXPECT_EQ(list->Cell(0, 0), "Schwier.-Grad");
  EXPECT_EQ(list->Cell(3, 1), "band");
  EXPECT_EQ(list->Heading(0), "");
  EXPECT_TRUE(Table()->horizontalHeader()->isHidden());
}

TEST_F(ListboxTest, ColumnsShareTheInnerWidthByTheirPercentages) {
  fw::SetProperties(*list, ListStream(kSmallList));
  Show();
  const int inner = Table()->viewport()->width();
  EXPECT_NEAR(list->ColumnWidth(0), list->ColumnWidth(1), 1);
  EXPECT_NEAR(list->ColumnWidth(2), 3 * list->ColumnWidth(0), 3);
  EXPECT_NEAR(WidthSum(), inner, 2);
  EXPECT_GT(inner, 500);

  // A long list brings the scroll bar; the columns make room for it.
  fw::SetProperties(*list, fw::PropertyStreamBuilder().String("InitialValue", LongList()).Bytes());
  harness::ProcessEvents();
  ASSERT_EQ(list->ListCount(), 82);
  EXPECT_TRUE(Table()->verticalScrollBar()->isVisible());
  EXPECT_LT(Table()->viewport()->width(), inner);
  EXPECT_NEAR(WidthSum(), Table()->viewport()->width(), 2);
  EXPECT_EQ(list->Cell(81, 0), "     82");
  EXPECT_EQ(list->ScrollPosition(), 0);
}

TEST_F(ListboxTest, UserClickSelectsARowAndRaisesChangeOnce) {
  fw::SetProperties(*list, ListStream(kSmallList));
  int changes = 0;
  fw::InstallInstanceEventHandler(list, "Change", Counter(changes));
  Show();
  EXPECT_EQ(list->ListIndex(), -1);

  ClickRow(1);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(list->ListIndex(), 1);

  ClickRow(1);  // the same row again changes nothing
  EXPECT_EQ(changes, 1);

  ClickRow(2);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(list->ListIndex(), 2);
}

TEST_F(ListboxTest, ProgramSelectionRaisesNoChangeAndRefusesMissingRows) {
  fw::SetProperties(*list, ListStream(kSmallList));
  int changes = 0;
  fw::InstallInstanceEventHandler(list, "Change", Counter(changes));

  list->ListIndex(2);
  EXPECT_EQ(list->ListIndex(), 2);
  list->ListIndex(-1);
  EXPECT_EQ(list->ListIndex(), -1);
  EXPECT_THROW(list->ListIndex(3), fw::InvalidArgumentException);
  EXPECT_THROW(list->ListIndex(-2), fw::InvalidArgumentException);
  EXPECT_EQ(changes, 0);
}

TEST_F(ListboxTest, RowsAreRebuiltOnlyWhenTheirTextChanges) {
  fw::SetProperties(*list, ListStream(kSmallList));
  int changes = 0;
  fw::InstallInstanceEventHandler(list, "Change", Counter(changes));
  list->ListIndex(1);
  const QTableWidgetItem* before = Table()->item(0, 0);

  fw::SetProperties(
      *list, fw::PropertyStreamBuilder().Boolean("Bold", false).Integer("TextSize", 16).Bytes());
  EXPECT_EQ(Table()->item(0, 0), before);
  EXPECT_EQ(list->ListIndex(), 1);

  fw::SetProperties(
      *list,
      fw::PropertyStreamBuilder().String("InitialValue", kHeadingLine + "\ra\tb\tc").Bytes());
  EXPECT_EQ(list->ListCount(), 1);
  EXPECT_EQ(Table()->rowCount(), 1);
  EXPECT_EQ(list->ListIndex(), -1);
  EXPECT_EQ(changes, 0);

  fw::SetProperties(*list, fw::PropertyStreamBuilder().Integer("ColumnCount", 2).Bytes());
  EXPECT_EQ(Table()->columnCount(), 2);
  EXPECT_EQ(list->Cell(0, 2), "");
}

TEST_F(ListboxTest, CellsOutsideTheListAreEmpty) {
  fw::SetProperties(*list, ListStream(kSmallList));
  EXPECT_EQ(list->Cell(-1, 0), "");
  EXPECT_EQ(list->Cell(3, 0), "");
  EXPECT_EQ(list->Cell(0, 3), "");
  EXPECT_EQ(list->Cell(0, -1), "");
  EXPECT_EQ(list->Cell(INT32_MAX, INT32_MIN), "");
  EXPECT_EQ(list->Heading(3), "");
  EXPECT_EQ(list->Heading(-1), "");
  EXPECT_EQ(list->ColumnWidth(7), 0);
}

TEST_F(ListboxTest, StreamNamingAPropertyTheListLacksIsRefused) {
  EXPECT_THROW(
      fw::SetProperties(*list, fw::PropertyStreamBuilder().Integer("NoSuchProperty", 1).Bytes()),
      fw::InvalidArgumentException);
  // A property of other controls, and the edit field's spelling of the bar.
  EXPECT_THROW(fw::SetProperties(*list, fw::PropertyStreamBuilder().String("Caption", "x").Bytes()),
               fw::InvalidArgumentException);
  EXPECT_THROW(fw::SetProperties(
                   *list, fw::PropertyStreamBuilder().Boolean("ScrollbarVertical", true).Bytes()),
               fw::InvalidArgumentException);
}

TEST_F(ListboxTest, CellHandlersPaintOnTheirOwnCell) {
  fw::SetProperties(*list, ListStream(kSmallList));
  struct Call {
    int row, column, x, y, width, height;
  };
  std::vector<Call> textCalls;
  const fw::Color red{255, 0, 0};
  fw::InstallInstanceEventHandler(
      list, "CellBackgroundPaint",
      std::make_shared<fw::Delegate>("( Graphics, Int32, Int32 ) as Boolean",
                                     [&](const fw::Arguments& a) {
                                       auto& g = fw::FromValue<fw::Graphics&>(a[0]);
                                       g.ForeColor(red);
                                       g.FillRect(0, 0, g.Width(), g.Height());
                                       return fw::Value(true);
                                     }));
  fw::InstallInstanceEventHandler(
      list, "CellTextPaint",
      std::make_shared<fw::Delegate>(
          "( Graphics, Int32, Int32, Int32, Int32 ) as Boolean", [&](const fw::Arguments& a) {
            auto& g = fw::FromValue<fw::Graphics&>(a[0]);
            textCalls.push_back({std::get<int32_t>(a[1]), std::get<int32_t>(a[2]),
                                 std::get<int32_t>(a[3]), std::get<int32_t>(a[4]), g.Width(),
                                 g.Height()});
            return fw::Value(true);
          }));
  Show();
  textCalls.clear();  // showing has painted already
  const QImage image = Table()->grab().toImage();

  ASSERT_EQ(textCalls.size(), 9u);
  for (const Call& c : textCalls) {
    EXPECT_TRUE(c.row >= 0 && c.row < 3 && c.column >= 0 && c.column < 3);
    EXPECT_EQ(c.width, list->ColumnWidth(c.column));
    EXPECT_TRUE(c.x >= 0 && c.x < c.width && c.y > 0 && c.y <= c.height) << c.x << "," << c.y;
  }
  // Each cell shows the handler's red: its drawing landed on the cell it
  // was given, and no usual background or text went over it.
  for (int row = 0; row < 3; ++row) {
    const QPoint at = Table()->viewport()->mapTo(Table(), CellCentre(row, 2));
    EXPECT_EQ(image.pixelColor(at), QColor(Qt::red)) << "row " << row;
  }
}

TEST_F(ListboxTest, HandlersThatDrawNothingLeaveTheUsualLook) {
  fw::SetProperties(*list, ListStream(LongList()));
  Show();
  list->ListIndex(1);  // a selected row is drawn differently
  harness::ProcessEvents();
  const QImage usual = Table()->grab().toImage();

  int offers = 0;
  auto declining = [&offers](const std::string& signature) {
    return std::make_shared<fw::Delegate>(signature, [&offers](const fw::Arguments&) {
      ++offers;
      return fw::Value(false);
    });
  };
  fw::InstallInstanceEventHandler(list, "CellTextPaint",
                                  declining("( Graphics, Int32, Int32, Int32, Int32 ) as Boolean"));
  fw::InstallInstanceEventHandler(list, "CellBackgroundPaint",
                                  declining("( Graphics, Int32, Int32 ) as Boolean"));
  const QImage offered = Table()->grab().toImage();
  EXPECT_GT(offers, 0);
  EXPECT_EQ(offered, usual);
}

TEST_F(ListboxTest, ClickIsOfferedToMouseDownInTheListsCoordinates) {
  fw::SetProperties(*list, ListStream(kSmallList));
  std::vector<int> at;
  harness::TakeMouseDowns(list, at);
  Show();
  ClickRow(0);
  const QPoint expected = Table()->viewport()->mapTo(Table(), CellCentre(0, 0));
  EXPECT_EQ(at, (std::vector<int>{expected.x(), expected.y()}));
  EXPECT_EQ(list->ListIndex(), -1);  // the handler took the click
}

TEST_F(ListboxTest, DraggedRowCarriesItsCellsAsText) {
  fw::SetProperties(*list, ListStream(kSmallList));
  EXPECT_TRUE(Table()->dragEnabled());
  QModelIndexList row{Table()->model()->index(1, 0), Table()->model()->index(1, 1),
                      Table()->model()->index(1, 2)};
  std::unique_ptr<QMimeData> data(Table()->model()->mimeData(row));
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->text(), QString("       2\tbird\tBirdy"));

  fw::SetProperties(*list, fw::PropertyStreamBuilder().Boolean("EnableDrag", false).Bytes());
  EXPECT_FALSE(Table()->dragEnabled());
}

TEST(ListboxText, LinesAndCellsAreCutLikeTheLayoutSays) {
  auto c = fw::ParseListText("h1\th2\ra\tb\r\nc\nd\te\tf\tg\r", 2, true);
  EXPECT_EQ(c.headings, (std::vector<std::string>{"h1", "h2"}));
  ASSERT_EQ(c.rows.size(), 3u);  // a break at the very end adds no row
  EXPECT_EQ(c.rows[0], (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(c.rows[1], (std::vector<std::string>{"c", ""}));
  EXPECT_EQ(c.rows[2], (std::vector<std::string>{"d", "e"}));

  EXPECT_TRUE(fw::ParseListText("", 3, false).rows.empty());
  EXPECT_TRUE(fw::ParseListText("only\theadings", 2, true).rows.empty());
  EXPECT_EQ(fw::ParseListText("a\r\rb", 1, false).rows.size(), 3u);
  EXPECT_EQ(fw::ParseListText("\t\t", 3, false).rows[0], (std::vector<std::string>{"", "", ""}));
}

TEST(ListboxText, ColumnCountIsKeptWithinBounds) {
  EXPECT_EQ(fw::ParseListText("a\tb", 0, false).columns, 1);
  EXPECT_EQ(fw::ParseListText("a\tb", -5, false).rows[0], (std::vector<std::string>{"a"}));
  EXPECT_EQ(fw::ParseListText("a", INT32_MAX, false).columns, fw::Listbox::kMaxColumns);
}

TEST(ListboxColumnWidths, EntriesArePercentPixelsOrShares) {
  using W = std::vector<int32_t>;
  EXPECT_EQ(fw::ResolveColumnWidths("20%,20%,60%,\r\r\r", 3, 500), (W{100, 100, 300}));
  EXPECT_EQ(fw::ResolveColumnWidths(" 100 ,*,", 3, 300), (W{100, 100, 100}));
  EXPECT_EQ(fw::ResolveColumnWidths("", 3, 300), (W{100, 100, 100}));
  EXPECT_EQ(fw::ResolveColumnWidths("50", 3, 250), (W{50, 100, 100}));
  EXPECT_EQ(fw::ResolveColumnWidths("abc,-5", 2, 100), (W{50, 50}));
  EXPECT_EQ(fw::ResolveColumnWidths("10,20,30,40", 2, 100), (W{10, 20}));
  EXPECT_EQ(fw::ResolveColumnWidths("1,2", 0, 100), W{});
}

TEST(ListboxColumnWidths, RoundingNeitherLosesNorGainsAPixel) {
  for (int available : {548, 549, 551, 533}) {
    const auto widths = fw::ResolveColumnWidths("33%,33%,34%", 3, available);
    EXPECT_EQ(widths[0] + widths[1] + widths[2], available);
  }
}

TEST(ListboxColumnWidths, OversizedOrNegativeEntriesStayInRange) {
  const auto over = fw::ResolveColumnWidths("80%,80%,*", 3, 100);
  EXPECT_EQ(over[2], 0);
  const auto huge = fw::ResolveColumnWidths("1e300,1e300%,99999999999", 3, INT32_MAX);
  for (int32_t w : huge) EXPECT_GE(w, 0);
  EXPECT_EQ(fw::ResolveColumnWidths("*,*", 2, -40), (std::vector<int32_t>{0, 0}));
}

}  // namespace
