// The toolkit's list view over the common control "SysListView32": rows and cells,
// columns, selection, colours, styles, and ten events from its notifications.
//
// Rows and columns count from 0. Texts are GBK and go through the ANSI messages.
#pragma once

#include <windows.h>
// After windows.h, whose types it uses.
#include <commctrl.h>

#include <optional>
#include <vector>

#include "toolkit/wt_control.h"

// One row as the bulk operations read and write it: the first column's attributes, then
// one text and one image per column (the first column included).
struct WtRowRecord {
    Text text;
    int image = -1;
    // 0 unchecked box, 1 checked box, -1 no check box.
    int checkState = -1;
    LPARAM data = 0;
    int indent = 0;
    std::vector<Text> cellTexts;
    std::vector<int> cellImages;
};

// The list view's background picture (LVBKIMAGE).
struct WtBackgroundImage {
    ULONG flags = 0;
    HBITMAP bitmap = nullptr;
    Text url;
    int xOffsetPercent = 0;
    int yOffsetPercent = 0;
};

class WtListView : public WtControl {
  public:
    // Extended list view style of every list view the toolkit makes or attaches.
    static constexpr DWORD kStandardListExStyle = LVS_EX_SUBITEMIMAGES | LVS_EX_INFOTIP;
    // Longest text a cell or column title read gives back; a longer one is cut to it,
    // less a final half character.
    static constexpr int kMaxReadLength = 259;

    // Registers the list view window classes.
    WtListView();
    ~WtListView() override;

    // Raises at most one event and returns 0: the notification takes its default course.
    LRESULT onNotify(HWND parentHwnd, HWND fromHwnd, int code, UINT_PTR idFrom,
                     LPARAM header) override;
    // The list view paints its own background.
    LRESULT onEraseBackground(HWND hwnd, HDC hdc) override;
    void destroyCleanup(HWND hwnd) override;
    // Repaints the rows on screen, a partly visible last one included; no UpdateWindow.
    void update() override;

    // createListView(hwnd, LVS_REPORT, 8, 56, 704, 280): a visible child with the next
    // free identifier and the standard extended list view style.
    bool createListView(HWND parent, DWORD style = 0, int x = 0, int y = 0, int width = 100,
                        int height = 120, DWORD exStyle = WS_EX_CLIENTEDGE);
    bool attachDialogItem(HWND parent, int id, bool defaultFont = true);
    bool attachWindow(HWND handle);

    // Rows and cells. Reads of a missing row or column give empty text, 0 or -1; writes
    // give false.
    int rowCount() const;
    // Appends a row holding only this text in its first column; its index or -1.
    int insertRow(const Text& text);
    // position -1 appends. Each attribute is set only when given: a text, an image or
    // check state other than -1, an indent, item data.
    int insertRow(int position = -1, const std::optional<Text>& text = std::nullopt, int image = -1,
                  int checkState = -1, std::optional<int> indent = std::nullopt,
                  std::optional<LPARAM> data = std::nullopt);
    bool deleteRow(int row);
    bool deleteAllRows();
    Text cellText(int row, int column = 0) const;
    bool setCellText(int row, int column, const Text& text);
    int cellImage(int row, int column = 0) const;
    bool setCellImage(int row, int column = 0, int image = -1);
    int checkState(int row) const;
    // -1 removes the check box.
    bool setCheckState(int row, int state = -1);
    int rowIndent(int row) const;
    bool setRowIndent(int row, int indent = 0);
    LPARAM rowData(int row) const;
    bool setRowData(int row, LPARAM value = 0);

    // Selection.
    std::vector<int> selectedRows() const;
    // Rows whose check box is checked.
    std::vector<int> checkedRows() const;
    int selectedCount() const;
    bool isRowSelected(int row) const;
    // -1 when there is no selection mark.
    int selectionMark() const;
    // Also selects that row; -1 deselects every row. The previous mark.
    int setSelectionMark(int row);
    bool selectRow(int row);
    // -1 deselects every row.
    bool deselectRow(int row);

    // Sorting and searching. Sorting rebuilds the rows; item data stays with its row.
    bool sortByCallback(LPARAM parameter, PFNLVCOMPARE compare);
    bool sortByColumn(int column, bool descending = false);
    // Without whole, the text matches the start of a row's first cell.
    int findRowByText(const Text& text, int start = -1, bool whole = false,
                      bool wrap = false) const;
    int findRowByData(LPARAM value, int start = -1, bool wrap = false) const;
    bool ensureVisible(int row, bool partialOk = true);
    bool arrange();

    // Columns.
    int columnCount() const;
    // Appends a left-aligned column without image; its index or -1.
    int insertColumn(const Text& title, int width = 50);
    // position -1 appends; width 0 makes a column that exists but is not shown.
    // format: LVCFMT_LEFT, LVCFMT_RIGHT or LVCFMT_CENTER.
    int insertColumn(int position, const Text& title = "", int width = 50, int format = 0,
                     int image = -1, bool imageOnRight = false);
    bool deleteColumn(int column);
    Text columnTitle(int column) const;
    bool setColumnTitle(int column, const Text& title);
    // 0 left, 1 right, 2 centre; -1 when the column does not exist.
    int columnAlignment(int column) const;
    bool setColumnAlignment(int column, int format);
    int columnWidth(int column) const;
    // -1 (LVSCW_AUTOSIZE) fits the column to its contents.
    bool setColumnWidth(int column, int width = -1);
    int columnImage(int column) const;
    bool columnImageOnRight(int column) const;
    bool setColumnImage(int column, int image = -1);
    int selectedColumn() const;
    void setSelectedColumn(int column);

    // Bulk rows.
    std::optional<WtRowRecord> rowRecord(int row) const;
    std::vector<WtRowRecord> allRowRecords() const;
    static void sortRowRecords(std::vector<WtRowRecord>& records, int column,
                               bool descending = false);
    // Appends one row per record, sorted first by sortColumn unless it is -1; the number of
    // rows inserted.
    int insertRowRecords(std::vector<WtRowRecord> records, int sortColumn = -1,
                         bool descending = false);

    // Geometry and hit testing. part: LVIR_BOUNDS, LVIR_ICON, LVIR_LABEL or LVIR_SELECTBOUNDS.
    bool cellRect(int row, int column, RECT& rect, int part = LVIR_BOUNDS) const;
    bool rowRect(int row, RECT& rect, int part = LVIR_BOUNDS) const;
    bool rowPosition(int row, POINT& point) const;
    bool setRowPosition(int row, POINT point);
    // The row hit or -1; row and column receive the hit cell.
    int hitTest(int x, int y, int& row, int& column) const;
    int topIndex() const;
    int countPerPage() const;
    void itemSpacing(int& horizontal, int& vertical, bool small = false) const;
    bool scroll(int dx, int dy);

    // Label editing.
    HWND editLabel(int row);
    HWND editControl() const;

    // Image lists. kind: LVSIL_NORMAL 0, LVSIL_SMALL 1, LVSIL_STATE 2, or 3 for the header.
    HIMAGELIST imageList(int kind = LVSIL_SMALL) const;
    HIMAGELIST setImageList(HIMAGELIST list, int kind = LVSIL_SMALL);
    HIMAGELIST createDragImage(int row, POINT& point);

    // Styles and colours.
    DWORD listExStyle() const;
    // The previous extended list view style.
    DWORD addListExStyle(DWORD bits);
    DWORD removeListExStyle(DWORD bits);
    COLORREF textColour() const;
    // Rows already painted keep their look until repainted unless redraw is true.
    COLORREF setTextColour(COLORREF colour, bool redraw = false);
    COLORREF textBackColour() const;
    bool setTextBackColour(COLORREF colour);
    COLORREF backColour() const;
    bool setBackColour(COLORREF colour, bool redraw = false);
    bool backgroundImage(WtBackgroundImage& info) const;
    bool setBackgroundImage(const WtBackgroundImage& info);
    // 0 icons, 1 small icons, 2 list, 3 report.
    int viewMode() const;
    // false for any mode outside 0 to 3, which changes nothing.
    bool setViewMode(int mode);
    HWND headerHandle() const;

    // Events. Row events get the row (-1 when a click hit none); the click events also
    // the key flags LVKF_ALT 1, LVKF_CONTROL 2, LVKF_SHIFT 4.
    void setOnRowSelected(WtCallback callback) { onRowSelected_ = std::move(callback); }
    void setOnHotTrack(WtCallback callback) { onHotTrack_ = std::move(callback); }
    void setOnColumnClick(WtCallback callback) { onColumnClick_ = std::move(callback); }
    void setOnRowActivated(WtCallback callback) { onRowActivated_ = std::move(callback); }
    void setOnBeginLabelEdit(WtCallback callback) { onBeginLabelEdit_ = std::move(callback); }
    void setOnEndLabelEdit(WtCallback callback) { onEndLabelEdit_ = std::move(callback); }
    void setOnClick(WtCallback callback) { onClick_ = std::move(callback); }
    void setOnRightClick(WtCallback callback) { onRightClick_ = std::move(callback); }
    void setOnDoubleClick(WtCallback callback) { onDoubleClick_ = std::move(callback); }
    void setOnCheckChanged(WtCallback callback) { onCheckChanged_ = std::move(callback); }

  private:
    LRESULT indexMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // LVM_GETITEMA of one cell with the fields of mask; false when it failed.
    bool readItem(LVITEMA& item, int row, int column, UINT mask) const;
    bool writeItem(LVITEMA& item);
    bool readColumn(LVCOLUMNA& column, int index, UINT mask) const;
    bool writeColumn(LVCOLUMNA& column, int index);
    void redrawVisibleRows();

    WtCallback onRightClick_;
    WtCallback onClick_;
    WtCallback onDoubleClick_;
    WtCallback onBeginLabelEdit_;
    WtCallback onEndLabelEdit_;
    WtCallback onCheckChanged_;
    WtCallback onRowSelected_;
    WtCallback onHotTrack_;
    WtCallback onRowActivated_;
    WtCallback onColumnClick_;
};
