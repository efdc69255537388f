// The list view against the real common control: creation, rows and cells, columns,
// notifications from real mouse messages, sorting, and the redraw of visible rows.
#include <windows.h>
// After windows.h, whose types it uses.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/toolkit/windows_test_support.h"
#include "toolkit/toolkit_state.h"
#include "toolkit/wt_list_view.h"
#include "toolkit/wt_window.h"

namespace {

// Keeps a copy of every row record the list view is asked to insert.
class RecordingListView : public WtListView {
  public:
    ~RecordingListView() override {
        if (hwnd_) unbindWindow(hwnd_);
    }
    LRESULT handleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == LVM_INSERTITEMA) inserted.push_back(*reinterpret_cast<LVITEMA*>(lParam));
        return WtListView::handleMessage(hwnd, msg, wParam, lParam);
    }
    std::vector<LVITEMA> inserted;
};

std::string repeated(const std::string& text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i) result += text;
    return result;
}

class ListViewTest : public testing::Test {
  protected:
    void SetUp() override {
        WtWindowOptions options;
        options.title = "list";
        options.x = 50;
        options.y = 50;
        options.width = 500;
        options.height = 400;
        ASSERT_TRUE(parent.loadWindow(options));
        ASSERT_TRUE(list.createListView(parent.handle(), LVS_REPORT, 10, 10, 400, 300));
    }
    void TearDown() override {
        if (parent.handle()) DestroyWindow(parent.handle());
        pumpMessages();
        nextControlId = kFirstControlIdBase;
    }

    // Columns and rows: one text per column, the row's item data beside them.
    void fill(const std::vector<std::pair<std::vector<std::string>, LPARAM>>& rows) {
        for (const auto& [cells, data] : rows) {
            int row = list.insertRow(cells[0]);
            ASSERT_GE(row, 0);
            for (size_t column = 1; column < cells.size(); ++column) {
                ASSERT_TRUE(list.setCellText(row, static_cast<int>(column), cells[column]));
            }
            ASSERT_TRUE(list.setRowData(row, data));
        }
    }
    void addColumns(int count) {
        for (int i = 0; i < count; ++i) ASSERT_EQ(list.insertColumn("c", 60), i);
    }

    // Posts the mouse messages of a double click at a client point of the list view.
    void doubleClickAt(POINT point) {
        const LPARAM at = MAKELPARAM(point.x, point.y);
        PostMessageA(list.handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(list.handle(), WM_LBUTTONUP, 0, at);
        PostMessageA(list.handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        PostMessageA(list.handle(), WM_LBUTTONUP, 0, at);
    }

    bool updatePending(POINT point) {
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        GetUpdateRgn(list.handle(), region, FALSE);
        bool inside = PtInRegion(region, point.x, point.y) != FALSE;
        DeleteObject(region);
        return inside;
    }

    POINT rowCentre(int row) {
        RECT rect = {};
        list.rowRect(row, rect, LVIR_BOUNDS);
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }

    WtWindow parent;
    RecordingListView list;
};

TEST_F(ListViewTest, CreatedWithTheStandardExtendedStyle) {
    EXPECT_EQ(list.className(), "SysListView32");
    EXPECT_EQ(list.text(), "ListView");
    EXPECT_EQ(list.listExStyle(), 0x402u);
    EXPECT_EQ(list.viewMode(), 3);
    EXPECT_EQ(static_cast<DWORD>(list.style()) & 0xFFFF0000u,
              WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS);
    EXPECT_EQ(list.addListExStyle(LVS_EX_FULLROWSELECT), 0x402u);
    EXPECT_EQ(list.listExStyle(), 0x422u);
    EXPECT_EQ(list.removeListExStyle(LVS_EX_INFOTIP), 0x422u);
    EXPECT_EQ(list.listExStyle(), 0x022u);
    EXPECT_FALSE(list.createListView(parent.handle())) << "a bound list view creates none";
}

TEST_F(ListViewTest, WithoutGeometryItIsSmallWithASunkenEdge) {
    WtListView plain;
    ASSERT_TRUE(plain.createListView(parent.handle()));
    EXPECT_EQ(plain.left(), 0);
    EXPECT_EQ(plain.top(), 0);
    EXPECT_EQ(plain.width(), 100);
    EXPECT_EQ(plain.height(), 120);
    EXPECT_NE(plain.exStyle() & WS_EX_CLIENTEDGE, 0);
    EXPECT_EQ(plain.viewMode(), 0);
    EXPECT_EQ(plain.controlId(), list.controlId() + 1);
    EXPECT_EQ(plain.listExStyle(), 0x402u);
}

TEST_F(ListViewTest, InsertRowSetsOnlyWhatIsGiven) {
    addColumns(2);
    struct Case {
        const char* name;
        int (*insert)(WtListView&);
        UINT mask;
    };
    const Case cases[] = {
        {"text only", [](WtListView& l) { return l.insertRow("text"); }, LVIF_TEXT},
        {"empty text", [](WtListView& l) { return l.insertRow(""); }, LVIF_TEXT},
        {"nothing", [](WtListView& l) { return l.insertRow(); }, 0},
        {"image", [](WtListView& l) { return l.insertRow(-1, std::nullopt, 3); }, LVIF_IMAGE},
        {"check state", [](WtListView& l) { return l.insertRow(-1, std::nullopt, -1, 1); },
         LVIF_STATE},
        {"indent", [](WtListView& l) { return l.insertRow(-1, std::nullopt, -1, -1, 2); },
         LVIF_INDENT},
        {"data", [](WtListView& l) { return l.insertRow(-1, std::nullopt, -1, -1, {}, 77); },
         LVIF_PARAM},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int before = list.rowCount();
        list.inserted.clear();
        EXPECT_EQ(c.insert(list), before) << "appended at the old count";
        EXPECT_EQ(list.rowCount(), before + 1);
        ASSERT_EQ(list.inserted.size(), 1u);
        EXPECT_EQ(list.inserted[0].mask, c.mask);
        EXPECT_EQ(list.inserted[0].iItem, before);
        EXPECT_EQ(list.inserted[0].iSubItem, 0);
    }
    // Rows as they read back: text 0 and 1, nothing 2, then one attribute each.
    EXPECT_EQ(list.cellText(0), "text");
    EXPECT_EQ(list.rowData(0), 0);
    EXPECT_EQ(list.rowIndent(0), 0);
    EXPECT_EQ(list.checkState(0), -1);
    EXPECT_NE(list.cellImage(0), 3);
    EXPECT_EQ(list.cellImage(3), 3);
    EXPECT_EQ(list.checkState(4), 1);
    EXPECT_EQ(list.rowIndent(5), 2);
    EXPECT_EQ(list.rowData(6), 77);
}

TEST_F(ListViewTest, InsertRowAtAPositionPushesLaterRowsDown) {
    addColumns(1);
    fill({{{"a"}, 1}, {{"b"}, 2}});
    EXPECT_EQ(list.insertRow(0, std::string("first")), 0);
    EXPECT_EQ(list.cellText(0), "first");
    EXPECT_EQ(list.cellText(1), "a");
    EXPECT_EQ(list.rowData(2), 2);
}

TEST_F(ListViewTest, MissingRowsAndColumnsReadAsNothing) {
    addColumns(3);
    fill({{{"a", "b", "c"}, 5}});
    EXPECT_EQ(list.cellText(0, 2), "c");
    EXPECT_EQ(list.cellText(1, 0), "") << "no such row";
    EXPECT_EQ(list.cellText(-1, 0), "");
    EXPECT_EQ(list.cellText(0, 3), "") << "column beyond the last";
    EXPECT_EQ(list.rowData(1), 0);
    EXPECT_EQ(list.rowIndent(1), 0);
    EXPECT_EQ(list.cellImage(1), -1);
    EXPECT_EQ(list.columnTitle(3), "");
    EXPECT_EQ(list.columnAlignment(3), -1);
    EXPECT_FALSE(list.setCellText(1, 0, "x"));
    EXPECT_FALSE(list.setRowData(1, 9));
    EXPECT_FALSE(list.deleteRow(1));

    WtListView unbound;
    EXPECT_EQ(unbound.rowCount(), 0);
    EXPECT_EQ(unbound.insertRow("x"), -1);
    EXPECT_EQ(unbound.insertColumn("x"), -1);
    EXPECT_EQ(unbound.cellText(0), "");
    EXPECT_EQ(unbound.selectionMark(), -1);
    EXPECT_EQ(unbound.columnCount(), 0);
}

TEST_F(ListViewTest, CellTextsRoundTripUpToTheReadLimit) {
    addColumns(2);
    fill({{{"", ""}, 0}});
    const std::string gbkName = "召唤师技能";
    ASSERT_EQ(gbkName, "\xD5\xD9\xBB\xBD\xCA\xA6\xBC\xBC\xC4\xDC");
    struct Case {
        const char* name;
        std::string written;
        std::string read;
    };
    const Case cases[] = {
        {"empty", "", ""},
        {"GBK", gbkName, gbkName},
        {"full-width space", "\xA1\xA1", "\xA1\xA1"},
        {"259 bytes", std::string(259, 'a'), std::string(259, 'a')},
        {"300 bytes", std::string(300, 'b'), std::string(259, 'b')},
        {"GBK cut after a whole character", "a" + repeated("召", 150), "a" + repeated("召", 129)},
        {"GBK cut inside a character", repeated("召", 150), repeated("召", 129)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(list.setCellText(0, 1, c.written));
        EXPECT_EQ(list.cellText(0, 1), c.read);
    }
    EXPECT_EQ(list.insertColumn(gbkName, 114), 2);
    EXPECT_EQ(list.columnTitle(2), gbkName);
}

TEST_F(ListViewTest, ColumnsAppendWithTheirTitlesAndWidths) {
    // The team lists of the main window.
    const std::pair<std::string, int> team[] = {
        {"　", 0}, {"玩家ID", 128}, {"英雄", 96}, {"召唤师技能", 114}};
    for (const auto& [title, width] : team) {
        const int next = list.columnCount();
        EXPECT_EQ(list.insertColumn(title, width), next);
    }
    ASSERT_EQ(list.columnCount(), 4);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(list.columnTitle(i), team[i].first);
        EXPECT_EQ(list.columnWidth(i), team[i].second);
        EXPECT_EQ(list.columnAlignment(i), LVCFMT_LEFT);
    }
    // The hidden column still holds texts.
    fill({{{"hidden", "name"}, 0}});
    EXPECT_EQ(list.cellText(0, 0), "hidden");
    EXPECT_EQ(list.cellText(0, 1), "name");

    EXPECT_EQ(list.insertColumn("plain"), 4);
    EXPECT_EQ(list.columnWidth(4), 50);
    EXPECT_EQ(list.insertColumn(1, "between", 70, LVCFMT_RIGHT), 1);
    EXPECT_EQ(list.columnTitle(2), team[1].first);
    EXPECT_EQ(list.columnAlignment(1), LVCFMT_RIGHT);
}

TEST_F(ListViewTest, DoubleClickReportsTheRowHitOrNone) {
    addColumns(3);
    fill({{{"a", "1", "x"}, 0}, {{"b", "2", "y"}, 0}, {{"c", "3", "z"}, 0}});
    const RECT last = [&] {
        RECT r = {};
        list.rowRect(2, r, LVIR_BOUNDS);
        return r;
    }();
    struct Case {
        const char* where;
        POINT point;
        int row;
    };
    const Case cases[] = {
        {"below the last row", {40, last.bottom + 30}, -1},
        {"on the second row", rowCentre(1), 1},
        {"on the first row", rowCentre(0), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        std::vector<std::pair<WtCallback::Arg, WtCallback::Arg>> clicks;
        list.setOnDoubleClick([&](WtCallback::Arg row, WtCallback::Arg keys) {
            clicks.push_back({row, keys});
        });
        doubleClickAt(c.point);
        ASSERT_TRUE(pumpUntil([&] { return !clicks.empty(); }));
        ASSERT_EQ(clicks.size(), 1u);
        EXPECT_EQ(clicks[0].first, c.row);
        EXPECT_EQ(clicks[0].second, 0) << "no key was held";
    }
}

TEST_F(ListViewTest, SelectingARowRaisesRowSelectedWithItsData) {
    addColumns(1);
    fill({{{"a"}, 10}, {{"b"}, 20}, {{"c"}, 30}});
    std::vector<std::pair<WtCallback::Arg, WtCallback::Arg>> selected;
    list.setOnRowSelected([&](WtCallback::Arg row, WtCallback::Arg data) {
        selected.push_back({row, data});
    });

    ASSERT_TRUE(list.selectRow(2));
    ASSERT_EQ(selected.size(), 1u);
    EXPECT_EQ(selected[0], std::make_pair(WtCallback::Arg{2}, WtCallback::Arg{30}));
    EXPECT_TRUE(list.isRowSelected(2));

    ASSERT_TRUE(list.deselectRow(2));
    EXPECT_EQ(selected.size(), 1u) << "deselecting raises nothing";
    EXPECT_FALSE(list.isRowSelected(2));

    EXPECT_EQ(list.selectionMark(), -1);
    list.setSelectionMark(1);
    EXPECT_EQ(list.selectionMark(), 1);
    EXPECT_EQ(list.selectedRows(), std::vector<int>{1});
    EXPECT_EQ(list.selectedCount(), 1);
    list.setSelectionMark(-1);
    EXPECT_EQ(list.selectedCount(), 0);
}

TEST_F(ListViewTest, CheckBoxChangesRaiseTheNewState) {
    addColumns(1);
    list.addListExStyle(LVS_EX_CHECKBOXES);
    fill({{{"a"}, 0}, {{"b"}, 0}, {{"c"}, 0}});
    std::vector<std::pair<WtCallback::Arg, WtCallback::Arg>> changes;
    list.setOnCheckChanged([&](WtCallback::Arg row, WtCallback::Arg state) {
        changes.push_back({row, state});
    });
    ASSERT_TRUE(list.setCheckState(1, 1));
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.back(), std::make_pair(WtCallback::Arg{1}, WtCallback::Arg{1}));
    EXPECT_EQ(list.checkState(1), 1);
    EXPECT_EQ(list.checkedRows(), std::vector<int>{1});
}

TEST_F(ListViewTest, RowsWithoutACheckBoxAreNotChecked) {
    addColumns(1);
    list.insertRow(-1, std::string("none"));
    list.insertRow(-1, std::string("unchecked"), -1, 0);
    list.insertRow(-1, std::string("checked"), -1, 1);
    EXPECT_EQ(list.checkState(0), -1);
    EXPECT_EQ(list.checkState(1), 0);
    EXPECT_EQ(list.checkedRows(), std::vector<int>{2});
}

TEST_F(ListViewTest, DeletingARowMovesLaterRowsUp) {
    addColumns(2);
    fill({{{"", "a"}, 1}, {{"", "b"}, 2}, {{"", "c"}, 3}});
    ASSERT_TRUE(list.deleteRow(1));
    ASSERT_EQ(list.rowCount(), 2);
    EXPECT_EQ(list.cellText(1, 1), "c");
    EXPECT_EQ(list.rowData(1), 3);
    EXPECT_EQ(list.cellText(0, 1), "a");
    EXPECT_FALSE(list.deleteRow(5));
    EXPECT_EQ(list.rowCount(), 2);
}

TEST_F(ListViewTest, ViewModeAcceptsOnlyTheFourViews) {
    struct Case {
        int mode;
        bool accepted;
        DWORD styleBits;
    };
    const Case cases[] = {
        {4, false, LVS_REPORT},   {-1, false, LVS_REPORT}, {0, true, LVS_ICON},
        {1, true, LVS_SMALLICON}, {2, true, LVS_LIST},     {3, true, LVS_REPORT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        EXPECT_EQ(list.setViewMode(c.mode), c.accepted);
        EXPECT_EQ(static_cast<DWORD>(list.style()) & LVS_TYPEMASK, c.styleBits);
        if (c.accepted) {
            EXPECT_EQ(list.viewMode(), c.mode);
        }
    }
}

TEST_F(ListViewTest, SortingByAColumnKeepsEachRowTogether) {
    addColumns(3);
    fill({{{"", "b", "2"}, 200},
          {{"", "c", "3"}, 300},
          {{"", "a", "1"}, 100},
          {{"", "b", "4"}, 400}});
    list.setRowIndent(1, 2);
    struct Case {
        bool descending;
        std::vector<std::string> names;
        std::vector<LPARAM> data;
    };
    const Case cases[] = {
        {false, {"a", "b", "b", "c"}, {100, 200, 400, 300}},
        {true, {"c", "b", "b", "a"}, {300, 200, 400, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.descending ? "descending" : "ascending");
        ASSERT_TRUE(list.sortByColumn(1, c.descending));
        ASSERT_EQ(list.rowCount(), 4);
        for (int row = 0; row < 4; ++row) {
            SCOPED_TRACE(row);
            EXPECT_EQ(list.cellText(row, 1), c.names[row]);
            EXPECT_EQ(list.rowData(row), c.data[row]);
            // Column 2 was written as the data's first digit.
            EXPECT_EQ(list.cellText(row, 2), std::to_string(c.data[row] / 100));
            EXPECT_EQ(list.rowIndent(row), c.data[row] == 300 ? 2 : 0);
        }
    }
    EXPECT_FALSE(list.sortByColumn(3)) << "no such column";
    EXPECT_EQ(list.rowCount(), 4);
}

TEST_F(ListViewTest, SortingComparesGbkBytes) {
    addColumns(2);
    // By bytes: "Zed" (5A) before "英雄" (D3 A2) before "召唤师" (D5 D9).
    fill({{{"", "召唤师"}, 1}, {{"", "英雄"}, 2}, {{"", "Zed"}, 3}});
    ASSERT_TRUE(list.sortByColumn(1));
    EXPECT_EQ(list.rowData(0), 3);
    EXPECT_EQ(list.rowData(1), 2);
    EXPECT_EQ(list.rowData(2), 1);
}

TEST_F(ListViewTest, FindingRowsByTextOrData) {
    addColumns(1);
    fill({{{"Ahri"}, 11}, {{"Annie"}, 12}, {{"Ashe"}, 13}});
    struct Case {
        const char* text;
        int start;
        bool whole;
        bool wrap;
        int row;
    };
    const Case cases[] = {
        {"An", -1, false, false, 1}, {"An", -1, true, false, -1}, {"Ashe", -1, true, false, 2},
        {"Ah", 0, false, false, -1}, {"Ah", 0, false, true, 0},   {"Zed", -1, false, true, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(list.findRowByText(c.text, c.start, c.whole, c.wrap), c.row);
    }
    EXPECT_EQ(list.findRowByData(13), 2);
    EXPECT_EQ(list.findRowByData(99), -1);
}

TEST_F(ListViewTest, UpdateInvalidatesTheVisibleRowsWithoutPainting) {
    addColumns(2);
    for (int i = 0; i < 60; ++i) fill({{{"row", std::to_string(i)}, i}});
    pumpMessages();
    ASSERT_TRUE(list.ensureVisible(40));
    UpdateWindow(list.handle());
    const int top = list.topIndex();
    const int page = list.countPerPage();
    ASSERT_GT(top, 0);
    ASSERT_GT(page, 0);

    list.validate();
    ASSERT_FALSE(updatePending(rowCentre(top)));
    list.update();
    EXPECT_TRUE(updatePending(rowCentre(top)));
    EXPECT_TRUE(updatePending(rowCentre(top + page - 1)));
    // The row one page further is the partly visible one at the bottom.
    RECT client = list.clientRect();
    RECT partial = {};
    list.rowRect(top + page, partial, LVIR_BOUNDS);
    if (partial.top < client.bottom) {
        EXPECT_TRUE(updatePending({partial.left + 5, partial.top + 1}));
    }
}

TEST_F(ListViewTest, TextColourRedrawsOnlyWhenAsked) {
    addColumns(1);
    fill({{{"a"}, 0}});
    UpdateWindow(list.handle());
    list.validate();
    EXPECT_EQ(list.setTextColour(RGB(0, 127, 255)), RGB(0, 127, 255));
    EXPECT_EQ(list.textColour(), RGB(0, 127, 255));
    EXPECT_FALSE(updatePending(rowCentre(0))) << "painted rows keep their look";
    list.setTextColour(RGB(128, 0, 128), true);
    EXPECT_EQ(list.textColour(), RGB(128, 0, 128));
    EXPECT_TRUE(updatePending(rowCentre(0)));
}

TEST_F(ListViewTest, DestroyingTheWindowUnbindsAndDropsTheEvents) {
    addColumns(1);
    fill({{{"a"}, 0}});
    int clicks = 0;
    list.setOnDoubleClick([&] { ++clicks; });
    HWND old = list.handle();
    DestroyWindow(old);
    EXPECT_EQ(list.handle(), nullptr);
    EXPECT_EQ(controlOf(old), nullptr);

    // A new window for the same object starts without the old handler.
    ASSERT_TRUE(list.createListView(parent.handle(), LVS_REPORT, 10, 10, 400, 300));
    addColumns(1);
    fill({{{"a"}, 0}});
    bool released = false;
    list.setOnLeftUp([&] { released = true; });
    doubleClickAt(rowCentre(0));
    ASSERT_TRUE(pumpUntil([&] { return released; }));
    pumpMessages();
    EXPECT_EQ(clicks, 0);
}

}  // namespace
