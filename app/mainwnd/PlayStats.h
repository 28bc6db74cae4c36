// CPlayStats: the picture counters behind KESTREL_PLAY_STATS=<file>. For
// each channel display (and the full-screen view) it counts the pictures
// the engine hands over (a counting wrapper around the display the flow
// draws into) and the paints of the display's picture widget (an event
// filter), times how long the window is in the playing state, and writes
// one JSON object to the file when the window closes. Only built when the
// variable is set, so a normal run pays one environment look-up.
#pragma once

#include "views/IRecordListView.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

class IDisplay;
class QWidget;

namespace kestrel::mainwnd {

class CPlayStats : public QObject {
public:
    // Slots 0..3 are the channel displays, 4 the full-screen view.
    static constexpr int kSlots = 5;
    static constexpr int kFullScreenSlot = 4;

    // Null when KESTREL_PLAY_STATS is unset or empty.
    static std::unique_ptr<CPlayStats> FromEnvironment();

    explicit CPlayStats(QString file);
    ~CPlayStats() override;

    // The display the engine shall draw into for `slot`: a wrapper that
    // counts and forwards every call to `display` (kept, not owned).
    IDisplay* Wrap(int slot, IDisplay* display);
    // Counts the paint events of `widget` for `slot`.
    void WatchPaints(int slot, QWidget* widget);
    // The window's play state; time in state 2 counts as played.
    void OnPlayState(int state);
    // The list the flow shall use: a wrapper that forwards every call to
    // `list` (kept, not owned) and times the play states it is told.
    views::IRecordListView* WrapList(views::IRecordListView* list);

    int Delivered(int slot) const;
    int Painted(int slot) const;
    double SecondsPlayed() const;
    // From the first play state 2 to the first picture delivered to any
    // display: the start-up wait, which is no lost picture.
    double SecondsToFirstPicture() const;
    QString ToJson() const;
    // Writes the JSON object to the file; false when it cannot.
    bool Write() const;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    class CountingDisplay;
    class StateTap;

    QString m_file;
    std::array<std::unique_ptr<CountingDisplay>, kSlots> m_wrappers;
    std::unique_ptr<StateTap> m_listTap;
    std::array<std::atomic<int>, kSlots> m_delivered{};
    std::array<int, kSlots> m_painted{};
    std::array<QWidget*, kSlots> m_watched{};
    QElapsedTimer m_playing;
    qint64 m_playedMs = 0;
    int64_t m_playStartNs = 0;                // user-interface thread
    std::atomic<int64_t> m_firstPictureNs{0};  // set once by the engine thread
};

}  // namespace kestrel::mainwnd
