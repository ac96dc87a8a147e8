#pragma once

#include "ui/win32/Box.h"
#include "window/TMainForm.h"

#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <string>
#include <vector>

namespace lyricast {

// The report-style list of scanned files: the columns of FileColumns, each
// at least as wide as its header and its widest text in the list's font, the
// one that fills taking the width the others leave; one row per file, its
// good mark kept as the row's data; several rows may be selected, a selection
// covers the whole row, rows stay in the order added.
class FileListView {
public:
    FileListView(HWND parent, int id, const Box& box);

    HWND Handle() const { return handle_; }
    void Clear();
    void AddRow(const std::vector<std::string>& texts, int goodMark);
    int RowCount() const;
    std::string Text(int row, int column) const;
    void SetText(int row, int column, const std::string& text);
    int GoodMark(int row) const;
    std::vector<std::size_t> SelectedRows() const;
    void SelectAll();
    // Gives the column that fills what the others leave of the list's width now.
    void FillWidth();

    // The answer to the list's NM_CUSTOMDRAW: each row is drawn in the colour
    // `colourOf` gives for its good mark, a selected one on `selectedFill`
    // rather than the system's highlight, so that it keeps its colour.
    static LRESULT CustomDraw(NMLVCUSTOMDRAW& draw, RowColour (*colourOf)(int goodMark),
                              RowColour selectedFill);

private:
    void AddColumns();
    int TextWidth(const std::string& text) const;

    HWND handle_;
    std::vector<int> narrowest_; // each column's width at least
};

} // namespace lyricast
