// List box messages behind ListBoxView.
#include "ui/ListBoxView_win.h"

#include "model/base/Handle_win.h"

namespace cl {

int ListBoxWin::Fill(const ListBoxFill& fill) {
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list_, LB_RESETCONTENT, 0, 0);
    std::size_t bytes = 0;
    for (std::string_view title : fill.titles) bytes += title.size() + 1;
    // Reserving the room up front keeps the list box from growing its arrays thousands of times.
    SendMessageA(list_, LB_INITSTORAGE, fill.titles.size(), static_cast<LPARAM>(bytes));
    std::string line;
    for (std::string_view title : fill.titles) {
        line.assign(title);
        SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    if (extentFromTitles_) {
        OwnedWindowDc dc = GetWindowDcOwned(list_);
        TEXTMETRICA metrics = {};
        GetTextMetricsA(dc.get(), &metrics);
        SendMessageA(list_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(metrics.tmAveCharWidth) * fill.longestTitle, 0);
    }
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
    return LineCount();
}

void ListBoxWin::Clear() {
    SendMessageA(list_, LB_RESETCONTENT, 0, 0);
}

int ListBoxWin::LineCount() {
    return static_cast<int>(SendMessageA(list_, LB_GETCOUNT, 0, 0));
}

std::string ListBoxWin::LineText(int index) {
    const LRESULT length = SendMessageA(list_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR || length < 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied =
        SendMessageA(list_, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    if (copied == LB_ERR || copied < 0) return {};
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

std::vector<int> ListBoxWin::SelectedLines() {
    const LRESULT count = SendMessageA(list_, LB_GETSELCOUNT, 0, 0);
    if (count == LB_ERR || count <= 0) return {};
    std::vector<int> lines(static_cast<std::size_t>(count));
    const LRESULT got =
        SendMessageA(list_, LB_GETSELITEMS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(lines.data()));
    lines.resize(got == LB_ERR || got < 0 ? 0 : static_cast<std::size_t>(got));
    return lines;
}

int ListBoxWin::SelectedCount() {
    const LRESULT count = SendMessageA(list_, LB_GETSELCOUNT, 0, 0);
    return count == LB_ERR ? 0 : static_cast<int>(count);
}

int ListBoxWin::CurrentLine() {
    if (LineCount() == 0) return -1;
    // In a multiple-selection list box this is the line with the focus rectangle.
    const LRESULT line = SendMessageA(list_, LB_GETCURSEL, 0, 0);
    return line == LB_ERR ? -1 : static_cast<int>(line);
}

void ListBoxWin::SelectOnly(int index) {
    SendMessageA(list_, LB_SETSEL, FALSE, -1);
    SendMessageA(list_, LB_SETSEL, TRUE, index);
    SendMessageA(list_, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
}

void ListBoxWin::SelectFirst() {
    SendMessageA(list_, LB_SETSEL, FALSE, -1);
    SendMessageA(list_, LB_SETSEL, TRUE, 0);
}

int ListBoxWin::FindExact(std::string_view text) {
    const std::string wanted(text);
    const LRESULT line =
        SendMessageA(list_, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wanted.c_str()));
    return line == LB_ERR ? -1 : static_cast<int>(line);
}

int ListBoxWin::FindStartingWith(std::string_view text) {
    const std::string wanted(text);
    const LRESULT line =
        SendMessageA(list_, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wanted.c_str()));
    return line == LB_ERR ? -1 : static_cast<int>(line);
}

void ListBoxWin::DeleteLine(int index) {
    SendMessageA(list_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void ListBoxWin::AddLine(std::string_view text) {
    const std::string line(text);
    SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

void ListBoxWin::ReplaceLine(int index, std::string_view text) {
    const std::string line(text);
    SendMessageA(list_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    const LRESULT added = SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    if (added != LB_ERR && added != LB_ERRSPACE) SelectOnly(static_cast<int>(added));
}

void ListBoxWin::Focus() {
    SetFocus(list_);
}

void ListBoxWin::SetRedraw(bool on) {
    SendMessageA(list_, WM_SETREDRAW, on ? TRUE : FALSE, 0);
    if (on) InvalidateRect(list_, nullptr, TRUE);
}

}  // namespace cl
