#include "CWndMapEdge.h"

#include "MapLayout.h"

#include "skin/CUIResources.h"

#include <QPainter>
#include <QResizeEvent>

namespace {

const QString kPopupKey = QStringLiteral("popup_dlg_map");
// Fixes per script text: a few milliseconds of work each.
constexpr size_t kTrackPart = 250;

}  // namespace

CWndMapEdge::CWndMapEdge(QWidget* parent, const CUIResources& resources)
    : QWidget(parent, Qt::Window), m_res(resources), m_view(new kestrel::map::CMapView(this))
{
    resize(kestrel::map::PopupSize(m_res));
    connect(m_view, &kestrel::map::CMapView::PageLoaded, this, &CWndMapEdge::PageReady);
    connect(m_view, &kestrel::map::CMapView::PageLoaded, this, &CWndMapEdge::DrawWaitingTrack);
    connect(&m_watch, &kestrel::map::CHostWatch::Answered, this, &CWndMapEdge::OnHostAnswer);
    m_trackTimer.setInterval(0);
    connect(&m_trackTimer, &QTimer::timeout, this, &CWndMapEdge::SendTrackPart);
}

CWndMapEdge::~CWndMapEdge()
{
    m_watch.Stop();
}

void CWndMapEdge::Create(const QString& languageFolder)
{
    ReloadPage(languageFolder);
}

void CWndMapEdge::ReloadPage(const QString& languageFolder)
{
    // An empty folder gives "/map.html", which fails to load: the popup
    // then shows an empty page, as when the page is missing.
    m_pagePath = languageFolder + QStringLiteral("/map.html");
    m_source = kestrel::map::MapSource::FromHost(m_res.GetUIMapInfo());
    m_pathId = 0;
    m_trackTimer.stop();
    m_track.clear();
    m_trackSent = 0;
    m_trackDrawn = false;  // a new page: the playing track is drawn again when it is ready
    m_positions.Reset();
    m_view->Load(kestrel::map::PageUrl(m_pagePath, m_source));
    setWindowTitle(m_res.GetUIText(kPopupKey));
    PlaceView();
    m_watch.Watch(m_source.probe);  // tested at once, then every 15 s
}

bool CWndMapEdge::CheckConnection()
{
    m_watch.CheckNow();
    return m_watch.Connected();
}

void CWndMapEdge::OnHostAnswer(bool connected)
{
    if (!connected)
        hide();
    else
        DrawWaitingTrack();
}

void CWndMapEdge::DrawWaitingTrack()
{
    if (m_playingRec && !m_trackDrawn && Ready()) {
        m_trackDrawn = true;
        DrawPath(m_playingRec);
    }
}

bool CWndMapEdge::Ready() const
{
    return m_view->Loaded() && m_watch.Connected();
}

void CWndMapEdge::SendPosition(const CUserDataInfo& sample)
{
    if (const auto pos = m_positions.Take(sample))
        m_view->Run(kestrel::map::SetLatLagCall(*pos));
}

void CWndMapEdge::DrawPath(CRecFileInfo* rec)
{
    m_trackTimer.stop();
    m_track.clear();
    m_trackSent = 0;
    if (!rec) {
        m_pathId = 0;
        return;
    }
    m_pathId = m_nextPathId++;
    m_track = kestrel::map::TrackPoints(rec->m_arrGps);
    // The page runs the scripts in the order sent, so the points can follow
    // the track object at once; no wait is needed.
    m_view->Run(kestrel::map::CreatePolylineCall(m_pathId));
    SendTrackPart();
}

void CWndMapEdge::SendTrackPart()
{
    if (m_trackSent >= m_track.size()) {
        m_trackTimer.stop();
        return;
    }
    m_view->Run(kestrel::map::AddLocationsScript(m_pathId, m_track, m_trackSent, kTrackPart));
    m_trackSent = std::min(m_track.size(), m_trackSent + kTrackPart);
    if (m_trackSent < m_track.size())
        m_trackTimer.start();
    else
        m_trackTimer.stop();
}

void CWndMapEdge::PlaybackStarted(CRecFileInfo* rec)
{
    m_playingRec = rec;
    m_trackDrawn = false;
    DrawWaitingTrack();
}

void CWndMapEdge::PlaybackStopped()
{
    m_playingRec = nullptr;  // its samples may be freed after this call
    m_trackDrawn = false;
    m_trackTimer.stop();  // the rest of the track is not wanted any more
    m_track.clear();
    m_trackSent = 0;
    if (m_pathId != 0 && m_view->Loaded())
        m_view->Run(kestrel::map::ClearPolylinesCall());
    m_pathId = 0;
    // The next recording may start where this one ended: send it again.
    m_positions.Reset();
}

void CWndMapEdge::PlaceView()
{
    m_view->setGeometry(kestrel::map::MapViewRect(m_res, size()));
}

void CWndMapEdge::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceView();
}

void CWndMapEdge::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    kestrel::map::PaintPopupFrame(p, m_res, size(), windowTitle());
}
