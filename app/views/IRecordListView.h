// The recording list as the playback flow sees it: which row plays, which
// is selected and ticked, and the play state the list follows.
// User-interface thread only.
#pragma once

namespace kestrel::views {

class IRecordListView {
public:
    virtual ~IRecordListView() = default;

    virtual int PlayingRow() const = 0;   // -1 when no row plays
    virtual int SelectedRow() const = 0;  // -1 when no row is selected
    // Marks `row` as the playing row and scrolls it into view.
    virtual void MarkPlayingRow(int row) = 0;
    virtual void ClearPlayingRow() = 0;
    // Selects `row` and scrolls it into view.
    virtual void SelectRow(int row) = 0;
    // The playing row's play/pause mark.
    virtual void ShowPlayStatus(bool playing) = 0;
    virtual int CheckedRowCount() const = 0;
    // The window's play state: 1 and 2 enable the type filter, 0 resets
    // the list and disables it.
    virtual void SetListState(int playState) = 0;
};

}  // namespace kestrel::views
