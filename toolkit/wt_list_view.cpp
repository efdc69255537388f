#include "toolkit/wt_list_view.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "toolkit/toolkit_state.h"

namespace {

constexpr UINT kStateImageMask = LVIS_STATEIMAGEMASK;
constexpr UINT kStateImageUnit = 0x1000;
constexpr int kReadBufferSize = WtListView::kMaxReadLength + 1;

UINT stateImageOf(int checkState) {
    return static_cast<UINT>(checkState + 1) * kStateImageUnit;
}
int checkStateOf(UINT state) {
    return static_cast<int>((state & kStateImageMask) >> 12) - 1;
}

// The list view copies the texts it is given, so a pointer into our string is enough.
char* textPointer(const Text& text) {
    return const_cast<char*>(text.c_str());
}

// Length of the longest prefix of text[0, length) that ends on a whole GBK character.
size_t wholeCharacters(const char* text, size_t length) {
    size_t i = 0;
    while (i < length) {
        const bool lead = static_cast<unsigned char>(text[i]) >= 0x80;
        if (lead && i + 1 == length) break;
        i += lead ? 2 : 1;
    }
    return i;
}

// The list view may point pszText at its own copy instead of filling our buffer.
Text readText(const char* pszText, const char* buffer) {
    const char* source = pszText != nullptr && pszText != LPSTR_TEXTCALLBACKA ? pszText : buffer;
    size_t length = strnlen(source, WtListView::kMaxReadLength);
    // A text cut at the limit can end in half a character, which would swallow the next
    // byte of whatever it is joined to.
    if (length == WtListView::kMaxReadLength) length = wholeCharacters(source, length);
    return Text(source, length);
}

// The record belongs to the sender; handlers may change the list before we are done.
template <class Record>
Record copyRecord(LPARAM header) {
    Record record;
    std::memcpy(&record, reinterpret_cast<const void*>(header), sizeof record);
    return record;
}

LPARAM pointerArg(const void* pointer) {
    return reinterpret_cast<LPARAM>(pointer);
}

}  // namespace

WtListView::WtListView() {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
}

WtListView::~WtListView() {
    if (hwnd_ != nullptr) unbindWindow(hwnd_);
}

LRESULT WtListView::onNotify(HWND, HWND, int code, UINT_PTR, LPARAM header) {
    if (header == 0) return 0;
    // The notification codes are negative numbers declared as unsigned.
    switch (static_cast<UINT>(code)) {
        case LVN_ITEMCHANGED: {
            const auto record = copyRecord<NMLISTVIEW>(header);
            if ((record.uNewState & LVIS_SELECTED) == LVIS_SELECTED) {
                onRowSelected_(record.iItem, record.lParam);
            }
            break;
        }
        case LVN_HOTTRACK:
            onHotTrack_(copyRecord<NMLISTVIEW>(header).iItem);
            break;
        case LVN_COLUMNCLICK:
            onColumnClick_(copyRecord<NMLISTVIEW>(header).iSubItem);
            break;
        case LVN_ITEMACTIVATE:
            onRowActivated_(copyRecord<NMITEMACTIVATE>(header).iItem);
            break;
        case LVN_BEGINLABELEDITA:
            onBeginLabelEdit_(copyRecord<NMLVDISPINFOA>(header).item.iItem);
            break;
        case LVN_ENDLABELEDITA:
            onEndLabelEdit_(copyRecord<NMLVDISPINFOA>(header).item.iItem);
            break;
        case LVN_ITEMCHANGING: {
            const auto record = copyRecord<NMLISTVIEW>(header);
            if ((record.uNewState & 0x3000) != 0 && record.uNewState != record.uOldState) {
                onCheckChanged_(record.iItem, checkStateOf(record.uNewState));
            }
            break;
        }
        case NM_RCLICK: {
            const auto record = copyRecord<NMITEMACTIVATE>(header);
            onRightClick_(record.iItem, record.uKeyFlags);
            break;
        }
        case NM_CLICK: {
            const auto record = copyRecord<NMITEMACTIVATE>(header);
            onClick_(record.iItem, record.uKeyFlags);
            break;
        }
        case NM_DBLCLK: {
            const auto record = copyRecord<NMITEMACTIVATE>(header);
            onDoubleClick_(record.iItem, record.uKeyFlags);
            break;
        }
        default:
            break;
    }
    return 0;
}

LRESULT WtListView::onEraseBackground(HWND, HDC) {
    return 0;
}

void WtListView::destroyCleanup(HWND) {
    for (WtCallback* callback :
         {&onRightClick_, &onClick_, &onDoubleClick_, &onBeginLabelEdit_, &onEndLabelEdit_,
          &onCheckChanged_, &onRowSelected_, &onHotTrack_, &onRowActivated_, &onColumnClick_}) {
        *callback = nullptr;
    }
}

void WtListView::update() {
    redrawVisibleRows();
}

void WtListView::redrawVisibleRows() {
    const int top = topIndex();
    sendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(top), top + countPerPage());
}

bool WtListView::createListView(HWND parent, DWORD style, int x, int y, int width, int height,
                                DWORD exStyle) {
    const int id = ++nextControlId;
    if (createControlWindow(
            parent, exStyle, WC_LISTVIEWA, "ListView", WS_CHILD | WS_VISIBLE | style, x, y, width,
            height, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr) == nullptr) {
        return false;
    }
    sendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, kStandardListExStyle);
    return true;
}

bool WtListView::attachDialogItem(HWND parent, int id, bool defaultFont) {
    if (WtControl::attachDialogItem(parent, id, defaultFont) == nullptr) return false;
    sendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, kStandardListExStyle);
    return true;
}

bool WtListView::attachWindow(HWND handle) {
    return WtControl::attachWindow(handle) != nullptr;
}

// Messages that answer a row or column index; without a window there is none.
LRESULT WtListView::indexMessage(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return hwnd_ != nullptr ? SendMessageA(hwnd_, msg, wParam, lParam) : -1;
}

bool WtListView::readItem(LVITEMA& item, int row, int column, UINT mask) const {
    item.mask = mask;
    item.iItem = row;
    item.iSubItem = column;
    return sendMessage(LVM_GETITEMA, 0, pointerArg(&item)) != FALSE;
}

bool WtListView::writeItem(LVITEMA& item) {
    return sendMessage(LVM_SETITEMA, 0, pointerArg(&item)) != FALSE;
}

bool WtListView::readColumn(LVCOLUMNA& column, int index, UINT mask) const {
    column.mask = mask;
    return sendMessage(LVM_GETCOLUMNA, static_cast<WPARAM>(index), pointerArg(&column)) != FALSE;
}

bool WtListView::writeColumn(LVCOLUMNA& column, int index) {
    return sendMessage(LVM_SETCOLUMNA, static_cast<WPARAM>(index), pointerArg(&column)) != FALSE;
}

int WtListView::rowCount() const {
    return static_cast<int>(sendMessage(LVM_GETITEMCOUNT));
}

int WtListView::insertRow(const Text& text) {
    return insertRow(-1, text);
}

int WtListView::insertRow(int position, const std::optional<Text>& text, int image, int checkState,
                          std::optional<int> indent, std::optional<LPARAM> data) {
    if (hwnd_ == nullptr) return -1;
    LVITEMA item = {};
    item.iItem = position == -1 ? rowCount() : position;
    if (text) {
        item.mask |= LVIF_TEXT;
        item.pszText = textPointer(*text);
        item.cchTextMax = static_cast<int>(text->size());
    }
    if (image != -1) {
        item.mask |= LVIF_IMAGE;
        item.iImage = image;
    }
    if (checkState != -1) {
        item.mask |= LVIF_STATE;
        item.state = stateImageOf(checkState);
        item.stateMask = kStateImageMask;
    }
    if (indent) {
        item.mask |= LVIF_INDENT;
        item.iIndent = *indent;
    }
    if (data) {
        item.mask |= LVIF_PARAM;
        item.lParam = *data;
    }
    return static_cast<int>(indexMessage(LVM_INSERTITEMA, 0, pointerArg(&item)));
}

bool WtListView::deleteRow(int row) {
    return sendMessage(LVM_DELETEITEM, static_cast<WPARAM>(row)) != FALSE;
}

bool WtListView::deleteAllRows() {
    return sendMessage(LVM_DELETEALLITEMS) != FALSE;
}

Text WtListView::cellText(int row, int column) const {
    char buffer[kReadBufferSize] = {};
    LVITEMA item = {};
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    if (!readItem(item, row, column, LVIF_TEXT)) return Text();
    return readText(item.pszText, buffer);
}

bool WtListView::setCellText(int row, int column, const Text& text) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = textPointer(text);
    item.cchTextMax = static_cast<int>(text.size());
    return writeItem(item);
}

int WtListView::cellImage(int row, int column) const {
    LVITEMA item = {};
    return readItem(item, row, column, LVIF_IMAGE) ? item.iImage : -1;
}

bool WtListView::setCellImage(int row, int column, int image) {
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iSubItem = column;
    item.iImage = image;
    return writeItem(item);
}

int WtListView::checkState(int row) const {
    return checkStateOf(static_cast<UINT>(
        sendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(row), kStateImageMask)));
}

bool WtListView::setCheckState(int row, int state) {
    LVITEMA item = {};
    item.mask = LVIF_STATE;
    item.iItem = row;
    item.state = stateImageOf(state);
    item.stateMask = kStateImageMask;
    return writeItem(item);
}

int WtListView::rowIndent(int row) const {
    LVITEMA item = {};
    return readItem(item, row, 0, LVIF_INDENT) ? item.iIndent : 0;
}

bool WtListView::setRowIndent(int row, int indent) {
    LVITEMA item = {};
    item.mask = LVIF_INDENT;
    item.iItem = row;
    item.iIndent = indent;
    return writeItem(item);
}

LPARAM WtListView::rowData(int row) const {
    LVITEMA item = {};
    return readItem(item, row, 0, LVIF_PARAM) ? item.lParam : 0;
}

bool WtListView::setRowData(int row, LPARAM value) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = value;
    return writeItem(item);
}

std::vector<int> WtListView::selectedRows() const {
    std::vector<int> rows;
    for (int row = 0, count = rowCount(); row < count; ++row) {
        if (isRowSelected(row)) rows.push_back(row);
    }
    return rows;
}

std::vector<int> WtListView::checkedRows() const {
    std::vector<int> rows;
    for (int row = 0, count = rowCount(); row < count; ++row) {
        // A row without a check box is not checked either.
        if (checkState(row) > 0) rows.push_back(row);
    }
    return rows;
}

int WtListView::selectedCount() const {
    return static_cast<int>(sendMessage(LVM_GETSELECTEDCOUNT));
}

bool WtListView::isRowSelected(int row) const {
    return sendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) == LVIS_SELECTED;
}

int WtListView::selectionMark() const {
    return static_cast<int>(indexMessage(LVM_GETSELECTIONMARK));
}

int WtListView::setSelectionMark(int row) {
    const int previous = static_cast<int>(indexMessage(LVM_SETSELECTIONMARK, 0, row));
    if (row == -1) {
        deselectRow(-1);
    } else {
        selectRow(row);
    }
    return previous;
}

bool WtListView::selectRow(int row) {
    LVITEMA item = {};
    item.state = LVIS_SELECTED;
    item.stateMask = LVIS_SELECTED;
    return sendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(row), pointerArg(&item)) != FALSE;
}

bool WtListView::deselectRow(int row) {
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED;
    return sendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(row), pointerArg(&item)) != FALSE;
}

bool WtListView::sortByCallback(LPARAM parameter, PFNLVCOMPARE compare) {
    return sendMessage(LVM_SORTITEMS, static_cast<WPARAM>(parameter),
                       reinterpret_cast<LPARAM>(compare)) != FALSE;
}

bool WtListView::sortByColumn(int column, bool descending) {
    if (hwnd_ == nullptr || column < 0 || column >= std::max(1, columnCount())) return false;
    std::vector<WtRowRecord> records = allRowRecords();
    const int count = static_cast<int>(records.size());
    if (!deleteAllRows()) return false;
    return insertRowRecords(std::move(records), column, descending) == count;
}

int WtListView::findRowByText(const Text& text, int start, bool whole, bool wrap) const {
    LVFINDINFOA info = {};
    info.flags = (whole ? LVFI_STRING : LVFI_PARTIAL) | (wrap ? LVFI_WRAP : 0);
    info.psz = text.c_str();
    return static_cast<int>(
        indexMessage(LVM_FINDITEMA, static_cast<WPARAM>(start), pointerArg(&info)));
}

int WtListView::findRowByData(LPARAM value, int start, bool wrap) const {
    LVFINDINFOA info = {};
    info.flags = LVFI_PARAM | (wrap ? LVFI_WRAP : 0);
    info.lParam = value;
    return static_cast<int>(
        indexMessage(LVM_FINDITEMA, static_cast<WPARAM>(start), pointerArg(&info)));
}

bool WtListView::ensureVisible(int row, bool partialOk) {
    return sendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), partialOk) != FALSE;
}

bool WtListView::arrange() {
    return sendMessage(LVM_ARRANGE, LVA_DEFAULT) != FALSE;
}

int WtListView::columnCount() const {
    HWND header = headerHandle();
    if (header == nullptr) return 0;
    return std::max(0, static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)));
}

int WtListView::insertColumn(const Text& title, int width) {
    return insertColumn(-1, title, width);
}

int WtListView::insertColumn(int position, const Text& title, int width, int format, int image,
                             bool imageOnRight) {
    if (hwnd_ == nullptr) return -1;
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.fmt = format | (imageOnRight ? LVCFMT_BITMAP_ON_RIGHT : 0);
    column.cx = width;
    column.pszText = textPointer(title);
    column.cchTextMax = static_cast<int>(title.size());
    if (image != -1) {
        column.mask |= LVCF_IMAGE;
        column.iImage = image;
    }
    const int at = position == -1 ? columnCount() : position;
    return static_cast<int>(
        indexMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(at), pointerArg(&column)));
}

bool WtListView::deleteColumn(int column) {
    return sendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(column)) != FALSE;
}

Text WtListView::columnTitle(int column) const {
    char buffer[kReadBufferSize] = {};
    LVCOLUMNA info = {};
    info.pszText = buffer;
    info.cchTextMax = sizeof buffer;
    if (!readColumn(info, column, LVCF_TEXT)) return Text();
    return readText(info.pszText, buffer);
}

bool WtListView::setColumnTitle(int column, const Text& title) {
    LVCOLUMNA info = {};
    info.mask = LVCF_TEXT;
    info.pszText = textPointer(title);
    info.cchTextMax = static_cast<int>(title.size());
    return writeColumn(info, column);
}

int WtListView::columnAlignment(int column) const {
    LVCOLUMNA info = {};
    return readColumn(info, column, LVCF_FMT) ? (info.fmt & LVCFMT_JUSTIFYMASK) : -1;
}

bool WtListView::setColumnAlignment(int column, int format) {
    LVCOLUMNA info = {};
    info.mask = LVCF_FMT;
    info.fmt = format;
    return writeColumn(info, column);
}

int WtListView::columnWidth(int column) const {
    return static_cast<int>(sendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
}

bool WtListView::setColumnWidth(int column, int width) {
    return sendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0)) !=
           FALSE;
}

int WtListView::columnImage(int column) const {
    LVCOLUMNA info = {};
    return readColumn(info, column, LVCF_IMAGE | LVCF_FMT) ? info.iImage : -1;
}

bool WtListView::columnImageOnRight(int column) const {
    LVCOLUMNA info = {};
    return readColumn(info, column, LVCF_FMT) &&
           (info.fmt & LVCFMT_BITMAP_ON_RIGHT) == LVCFMT_BITMAP_ON_RIGHT;
}

bool WtListView::setColumnImage(int column, int image) {
    LVCOLUMNA info = {};
    info.mask = LVCF_IMAGE;
    info.iImage = image;
    return writeColumn(info, column);
}

int WtListView::selectedColumn() const {
    return static_cast<int>(indexMessage(LVM_GETSELECTEDCOLUMN));
}

void WtListView::setSelectedColumn(int column) {
    sendMessage(LVM_SETSELECTEDCOLUMN, static_cast<WPARAM>(column));
}

std::optional<WtRowRecord> WtListView::rowRecord(int row) const {
    char buffer[kReadBufferSize] = {};
    LVITEMA item = {};
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    item.stateMask = kStateImageMask;
    if (!readItem(item, row, 0, LVIF_TEXT | LVIF_IMAGE | LVIF_STATE | LVIF_PARAM | LVIF_INDENT)) {
        return std::nullopt;
    }
    WtRowRecord record;
    record.text = readText(item.pszText, buffer);
    record.image = item.iImage;
    record.checkState = checkStateOf(item.state);
    record.data = item.lParam;
    record.indent = item.iIndent;
    const int columns = std::max(1, columnCount());
    record.cellTexts.push_back(record.text);
    record.cellImages.push_back(record.image);
    for (int column = 1; column < columns; ++column) {
        record.cellTexts.push_back(cellText(row, column));
        record.cellImages.push_back(cellImage(row, column));
    }
    return record;
}

std::vector<WtRowRecord> WtListView::allRowRecords() const {
    std::vector<WtRowRecord> records;
    for (int row = 0, count = rowCount(); row < count; ++row) {
        if (auto record = rowRecord(row)) records.push_back(std::move(*record));
    }
    return records;
}

void WtListView::sortRowRecords(std::vector<WtRowRecord>& records, int column, bool descending) {
    if (column < 0) return;
    auto key = [column](const WtRowRecord& record) -> std::string_view {
        const auto index = static_cast<size_t>(column);
        return index < record.cellTexts.size() ? std::string_view(record.cellTexts[index])
                                               : std::string_view();
    };
    std::stable_sort(
        records.begin(), records.end(), [&](const WtRowRecord& a, const WtRowRecord& b) {
            return descending ? compareText(key(b), key(a)) < 0 : compareText(key(a), key(b)) < 0;
        });
}

int WtListView::insertRowRecords(std::vector<WtRowRecord> records, int sortColumn,
                                 bool descending) {
    if (sortColumn >= 0) sortRowRecords(records, sortColumn, descending);
    int inserted = 0;
    for (const WtRowRecord& record : records) {
        const int row =
            insertRow(-1, record.text, record.image, record.checkState, record.indent, record.data);
        if (row < 0) continue;
        ++inserted;
        const size_t columns = std::max(record.cellTexts.size(), record.cellImages.size());
        for (size_t column = 1; column < columns; ++column) {
            LVITEMA item = {};
            item.iItem = row;
            item.iSubItem = static_cast<int>(column);
            if (column < record.cellTexts.size()) {
                item.mask |= LVIF_TEXT;
                item.pszText = textPointer(record.cellTexts[column]);
                item.cchTextMax = static_cast<int>(record.cellTexts[column].size());
            }
            if (column < record.cellImages.size() && record.cellImages[column] != -1) {
                item.mask |= LVIF_IMAGE;
                item.iImage = record.cellImages[column];
            }
            if (item.mask != 0) writeItem(item);
        }
    }
    return inserted;
}

bool WtListView::cellRect(int row, int column, RECT& rect, int part) const {
    rect = {};
    rect.top = column;
    rect.left = part;
    return sendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), pointerArg(&rect)) != FALSE;
}

bool WtListView::rowRect(int row, RECT& rect, int part) const {
    rect = {};
    rect.left = part;
    return sendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(row), pointerArg(&rect)) != FALSE;
}

bool WtListView::rowPosition(int row, POINT& point) const {
    return sendMessage(LVM_GETITEMPOSITION, static_cast<WPARAM>(row), pointerArg(&point)) != FALSE;
}

bool WtListView::setRowPosition(int row, POINT point) {
    return sendMessage(LVM_SETITEMPOSITION, static_cast<WPARAM>(row),
                       MAKELPARAM(point.x, point.y)) != FALSE;
}

int WtListView::hitTest(int x, int y, int& row, int& column) const {
    LVHITTESTINFO info = {};
    info.pt = {x, y};
    info.iItem = -1;
    info.iSubItem = -1;
    const int hit = static_cast<int>(indexMessage(LVM_SUBITEMHITTEST, 0, pointerArg(&info)));
    row = info.iItem;
    column = info.iSubItem;
    return hit;
}

int WtListView::topIndex() const {
    return static_cast<int>(sendMessage(LVM_GETTOPINDEX));
}
int WtListView::countPerPage() const {
    return static_cast<int>(sendMessage(LVM_GETCOUNTPERPAGE));
}

void WtListView::itemSpacing(int& horizontal, int& vertical, bool small) const {
    const DWORD spacing = static_cast<DWORD>(sendMessage(LVM_GETITEMSPACING, small));
    horizontal = LOWORD(spacing);
    vertical = HIWORD(spacing);
}

bool WtListView::scroll(int dx, int dy) {
    return sendMessage(LVM_SCROLL, static_cast<WPARAM>(dx), dy) != FALSE;
}

HWND WtListView::editLabel(int row) {
    SetFocus(hwnd_);
    return reinterpret_cast<HWND>(sendMessage(LVM_EDITLABELA, static_cast<WPARAM>(row)));
}

HWND WtListView::editControl() const {
    return reinterpret_cast<HWND>(sendMessage(LVM_GETEDITCONTROL));
}

namespace {
constexpr int kHeaderImageList = 3;
}

HIMAGELIST WtListView::imageList(int kind) const {
    if (kind == kHeaderImageList) {
        return reinterpret_cast<HIMAGELIST>(SendMessageA(headerHandle(), HDM_GETIMAGELIST, 0, 0));
    }
    return reinterpret_cast<HIMAGELIST>(sendMessage(LVM_GETIMAGELIST, static_cast<WPARAM>(kind)));
}

HIMAGELIST WtListView::setImageList(HIMAGELIST list, int kind) {
    if (kind == kHeaderImageList) {
        return reinterpret_cast<HIMAGELIST>(
            SendMessageA(headerHandle(), HDM_SETIMAGELIST, 0, pointerArg(list)));
    }
    return reinterpret_cast<HIMAGELIST>(
        sendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(kind), pointerArg(list)));
}

HIMAGELIST WtListView::createDragImage(int row, POINT& point) {
    return reinterpret_cast<HIMAGELIST>(
        sendMessage(LVM_CREATEDRAGIMAGE, static_cast<WPARAM>(row), pointerArg(&point)));
}

DWORD WtListView::listExStyle() const {
    return static_cast<DWORD>(sendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
}

DWORD WtListView::addListExStyle(DWORD bits) {
    const DWORD previous = listExStyle();
    sendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, previous | bits);
    return previous;
}

DWORD WtListView::removeListExStyle(DWORD bits) {
    const DWORD previous = listExStyle();
    sendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, previous & ~bits);
    return previous;
}

COLORREF WtListView::textColour() const {
    return static_cast<COLORREF>(sendMessage(LVM_GETTEXTCOLOR));
}

COLORREF WtListView::setTextColour(COLORREF colour, bool redraw) {
    sendMessage(LVM_SETTEXTCOLOR, 0, colour);
    if (redraw) redrawVisibleRows();
    return colour;
}

COLORREF WtListView::textBackColour() const {
    return static_cast<COLORREF>(sendMessage(LVM_GETTEXTBKCOLOR));
}

bool WtListView::setTextBackColour(COLORREF colour) {
    const bool done = sendMessage(LVM_SETTEXTBKCOLOR, 0, colour) != FALSE;
    redrawVisibleRows();
    return done;
}

COLORREF WtListView::backColour() const {
    return static_cast<COLORREF>(sendMessage(LVM_GETBKCOLOR));
}

bool WtListView::setBackColour(COLORREF colour, bool redraw) {
    const bool done = sendMessage(LVM_SETBKCOLOR, 0, colour) != FALSE;
    if (redraw) redrawVisibleRows();
    return done;
}

bool WtListView::backgroundImage(WtBackgroundImage& info) const {
    char buffer[kReadBufferSize] = {};
    LVBKIMAGEA image = {};
    image.pszImage = buffer;
    image.cchImageMax = sizeof buffer;
    if (sendMessage(LVM_GETBKIMAGEA, 0, pointerArg(&image)) == FALSE) return false;
    info.flags = image.ulFlags;
    info.bitmap = image.hbm;
    info.url = readText(image.pszImage, buffer);
    info.xOffsetPercent = image.xOffsetPercent;
    info.yOffsetPercent = image.yOffsetPercent;
    return true;
}

bool WtListView::setBackgroundImage(const WtBackgroundImage& info) {
    LVBKIMAGEA image = {};
    image.ulFlags = info.flags;
    image.hbm = info.bitmap;
    image.pszImage = info.url.empty() ? nullptr : textPointer(info.url);
    image.cchImageMax = static_cast<UINT>(info.url.size());
    image.xOffsetPercent = info.xOffsetPercent;
    image.yOffsetPercent = info.yOffsetPercent;
    return sendMessage(LVM_SETBKIMAGEA, 0, pointerArg(&image)) != FALSE;
}

namespace {
// View modes in the toolkit's order: icons, small icons, list, report.
constexpr DWORD kViewStyles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
}  // namespace

int WtListView::viewMode() const {
    const DWORD view = static_cast<DWORD>(style()) & LVS_TYPEMASK;
    for (int mode = 0; mode < 4; ++mode) {
        if (kViewStyles[mode] == view) return mode;
    }
    return 0;
}

bool WtListView::setViewMode(int mode) {
    if (mode < 0 || mode > 3) return false;
    removeStyle(LVS_TYPEMASK);
    addStyle(static_cast<LONG>(kViewStyles[mode]));
    return true;
}

HWND WtListView::headerHandle() const {
    return reinterpret_cast<HWND>(sendMessage(LVM_GETHEADER));
}
