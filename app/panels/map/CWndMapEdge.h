// CWndMapEdge: the GPS map popup of the main window. It shows the map page
// of the current language in the embedded web engine, draws the playing
// recording's track and the vehicle's position on it, and watches the
// tile host: it hides itself as soon as the host cannot be reached (tested
// at once and every 15 seconds, on a worker thread). It is the map role of
// the playback flow when the option file does not ask for the map dialog.
// User-interface thread only.
#pragma once

#include "CHostWatch.h"
#include "CMapView.h"
#include "MapScript.h"
#include "MapSource.h"
#include "PositionFilter.h"
#include "views/IMapSink.h"

#include <QTimer>
#include <QWidget>

#include <vector>

class CUIResources;

class CWndMapEdge : public QWidget, public kestrel::views::IMapSink {
    Q_OBJECT
public:
    // `resources`: skin and text look-ups, not owned, must outlive the popup.
    CWndMapEdge(QWidget* parent, const CUIResources& resources);
    ~CWndMapEdge() override;

    // Works out page and host, loads the page and starts the host watch
    // (ReloadPage does the same after a language change).
    // `languageFolder`: the folder of the current language's file.
    void Create(const QString& languageFolder);
    // After a language change: new page and host, page loaded again.
    void ReloadPage(const QString& languageFolder);

    // The last reachability answer (false until the first arrives); a new
    // test starts in the background.
    bool CheckConnection();
    bool Connected() const { return m_watch.Connected(); }
    bool PageLoaded() const { return m_view->Loaded(); }

    // Sends a fix's position (ignored at 0/0 and when it did not move).
    void SendPosition(const CUserDataInfo& sample);
    // Draws a recording's track (null: forgets the track). The fixes are
    // copied at once; the page gets them in parts, one per turn of the
    // event loop, so a long track never holds up the window.
    void DrawPath(CRecFileInfo* rec);
    int PathId() const { return m_pathId; }
    bool DrawingPath() const { return m_trackSent < m_track.size(); }

    // IMapSink.
    bool Ready() const override;
    void PlaybackStarted(CRecFileInfo* rec) override;
    void PlaybackStopped() override;
    bool KeepsRecordSamples() const override { return false; }
    void Sample(const CUserDataInfo& sample) override { SendPosition(sample); }
    void RecordChosen(CRecFileInfo*) override {}

    kestrel::map::CMapView* View() const { return m_view; }
    kestrel::map::CHostWatch& Watch() { return m_watch; }
    const kestrel::map::MapSource& Source() const { return m_source; }
    QString PagePath() const { return m_pagePath; }

signals:
    // The page finished loading (ok or not).
    void PageReady(bool ok);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnHostAnswer(bool connected);
    // Draws the playing recording's track once the map is ready, when it
    // started before (at start-up the page loads and the host answers
    // about a second after the first recording starts).
    void DrawWaitingTrack();
    void PlaceView();
    // Sends the next part of the track being drawn.
    void SendTrackPart();

    const CUIResources& m_res;
    kestrel::map::CMapView* m_view;  // child
    kestrel::map::CHostWatch m_watch;
    kestrel::map::MapSource m_source;
    QString m_pagePath;
    kestrel::map::CPositionFilter m_positions;
    int m_pathId = 0;
    int m_nextPathId = 1;
    // The track still to send, a part per turn of the event loop.
    std::vector<kestrel::map::LatLng> m_track;
    size_t m_trackSent = 0;
    QTimer m_trackTimer;
    CRecFileInfo* m_playingRec = nullptr;  // between PlaybackStarted and PlaybackStopped
    bool m_trackDrawn = false;             // the playing record's track went to this page
};
