#include "ui/win32/FileListView.h"

#include "ui/win32/Controls.h"
#include "ui/win32/WideText.h"
#include "window/FileColumns.h"

#include <algorithm>

namespace lyricast {
namespace {

// Room beside a header's or a cell's text: the margins the list and its header draw.
constexpr int kTextPadding = 16;

} // namespace

FileListView::FileListView(HWND parent, int id, const Box& box)
    : handle_(CreateChild(parent, WC_LISTVIEWA, "",
                          WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS, box, id,
                          WS_EX_CLIENTEDGE)) {
    const DWORD extended = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
    SendMessageW(handle_, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    AddColumns();
}

int FileListView::TextWidth(const std::string& text) const {
    return static_cast<int>(SendMessageW(handle_, LVM_GETSTRINGWIDTHW, 0,
                                         reinterpret_cast<LPARAM>(Wide(text).c_str())));
}

// Each as wide as its design says, and as its header and widest text need;
// the one that fills gives up what the others need, down to its header's width.
void FileListView::AddColumns() {
    const std::span<const FileColumn> columns = FileColumns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const int header = TextWidth(columns[i].caption) + kTextPadding;
        const int wanted =
            std::max({columns[i].width, header, TextWidth(columns[i].widest) + kTextPadding});
        narrowest_.push_back(columns[i].fills ? header : wanted);
        std::wstring caption = Wide(columns[i].caption);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = LVCFMT_LEFT;
        column.cx = wanted;
        column.pszText = caption.data();
        SendMessageW(handle_, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

void FileListView::FillWidth() {
    const std::span<const FileColumn> columns = FileColumns();
    RECT client{};
    GetClientRect(handle_, &client);
    int others = 0;
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (!columns[i].fills)
            others += static_cast<int>(SendMessageW(handle_, LVM_GETCOLUMNWIDTH, i, 0));
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (columns[i].fills)
            SendMessageW(
                handle_, LVM_SETCOLUMNWIDTH, i,
                MAKELPARAM(std::max(narrowest_[i], static_cast<int>(client.right) - others), 0));
}

void FileListView::Clear() {
    SendMessageW(handle_, LVM_DELETEALLITEMS, 0, 0);
}

void FileListView::AddRow(const std::vector<std::string>& texts, int goodMark) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = RowCount();
    std::wstring shown = Wide(texts.at(0));
    item.pszText = shown.data();
    item.lParam = goodMark;
    const int row = static_cast<int>(
        SendMessageW(handle_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    for (std::size_t column = 1; column < texts.size(); ++column)
        SetText(row, static_cast<int>(column), texts[column]);
}

void FileListView::SetText(int row, int column, const std::string& text) {
    std::wstring shown = Wide(text);
    LVITEMW cell{};
    cell.iSubItem = column;
    cell.pszText = shown.data();
    SendMessageW(handle_, LVM_SETITEMTEXTW, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&cell));
}

int FileListView::RowCount() const {
    return static_cast<int>(SendMessageW(handle_, LVM_GETITEMCOUNT, 0, 0));
}

// A buffer grown until the whole text fits, however long the path.
std::string FileListView::Text(int row, int column) const {
    for (std::vector<wchar_t> text(MAX_PATH);; text.resize(text.size() * 2)) {
        LVITEMW cell{};
        cell.iSubItem = column;
        cell.pszText = text.data();
        cell.cchTextMax = static_cast<int>(text.size());
        const auto length = static_cast<std::size_t>(
            SendMessageW(handle_, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&cell)));
        if (length + 1 < text.size())
            return Utf8(std::wstring_view(text.data(), length));
    }
}

int FileListView::GoodMark(int row) const {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageW(handle_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<int>(item.lParam);
}

std::vector<std::size_t> FileListView::SelectedRows() const {
    std::vector<std::size_t> selected;
    for (int row = -1;;) {
        row = static_cast<int>(
            SendMessageW(handle_, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED));
        if (row < 0)
            return selected;
        selected.push_back(static_cast<std::size_t>(row));
    }
}

// The list control leaves Ctrl+A to its owner; every other list selects all with it.
void FileListView::SelectAll() {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    SendMessageW(handle_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&state));
}

// A row drawn as not selected takes the colours given here, not the
// system's highlight; the focus rectangle still shows where the caret is.
LRESULT FileListView::CustomDraw(NMLVCUSTOMDRAW& draw, RowColour (*colourOf)(int goodMark),
                                 RowColour selectedFill) {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT)
        return CDRF_DODEFAULT;
    const RowColour colour = colourOf(static_cast<int>(draw.nmcd.lItemlParam));
    draw.clrText = RGB(colour.red, colour.green, colour.blue);
    const auto state =
        SendMessageW(draw.nmcd.hdr.hwndFrom, LVM_GETITEMSTATE, draw.nmcd.dwItemSpec, LVIS_SELECTED);
    if (state & LVIS_SELECTED) {
        draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED);
        draw.clrTextBk = RGB(selectedFill.red, selectedFill.green, selectedFill.blue);
    }
    return CDRF_NEWFONT;
}

} // namespace lyricast
