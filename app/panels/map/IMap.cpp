#include "IMap.h"

#include <QResizeEvent>

using namespace kestrel::map;

IMap* IMap::Create(QWidget* parent, const QString& hostName, const QString& pagePath)
{
    IMap* map = nullptr;
    if (!qEnvironmentVariableIsEmpty("KESTREL_MAP_TILE_URL"))
        map = new CMapOwnTiles(parent);
    else if (MapSource::FromHost(hostName).Valid())
        map = new CMapOnlineTiles(parent);
    if (!map)
        return nullptr;
    map->setGeometry(QRect());
    map->show();
    map->ReloadPage(hostName, pagePath);
    return map;
}

IMap::IMap(QWidget* parent) : QWidget(parent), m_view(new CMapView(this))
{
    connect(m_view, &CMapView::PageLoaded, this, &IMap::PageReady);
}

IMap::~IMap()
{
    m_watch.Stop();
}

void IMap::ReloadPage(const QString& hostName, const QString& pagePath)
{
    m_source = SourceFor(hostName);
    m_positions.Reset();
    m_view->Load(PageUrl(pagePath, m_source));
    m_watch.Watch(m_source.probe);
}

bool IMap::CheckConnection()
{
    m_watch.CheckNow();
    return m_watch.Connected();
}

void IMap::SendPosition(const CUserDataInfo& sample)
{
    if (const auto pos = m_positions.Take(sample))
        SetLatLag(*pos);
}

void IMap::SetLatLag(LatLng pos)
{
    m_view->Run(SetLatLagCall(pos));
}

void IMap::CreatePolylineObject(int pathId)
{
    m_view->Run(CreatePolylineCall(pathId));
}

void IMap::AddLocation(int pathId, LatLng pos)
{
    m_view->Run(AddLocationCall(pathId, pos));
}

void IMap::ClearPolylineObjectAll()
{
    m_view->Run(ClearPolylinesCall());
}

void IMap::MoveTo(LatLng pos)
{
    m_view->Run(MoveToCall(pos));
}

void IMap::CreateMarkerObject(int markerId, LatLng pos, const QStringList& texts)
{
    m_view->Run(CreateMarkerCall(markerId, pos, texts));
}

void IMap::ClearMarkerObjectAll()
{
    m_view->Run(ClearMarkersCall());
}

void IMap::ShowMarker(int markerId)
{
    m_view->Run(ShowMarkerCall(markerId));
}

void IMap::GetPreviewStatus(std::function<void(int)> answer)
{
    AskInt(PreviewStatusCall(), std::move(answer));
}

void IMap::GetPathStatus(std::function<void(int)> answer)
{
    AskInt(PathStatusCall(), std::move(answer));
}

void IMap::AskInt(const QString& call, std::function<void(int)> answer)
{
    m_view->Query(call, [answer = std::move(answer)](const QVariant& v) {
        if (answer)
            answer(v.isValid() ? v.toInt() : 0);
    });
}

void IMap::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_view->setGeometry(rect());
}

MapSource CMapOnlineTiles::SourceFor(const QString& hostName) const
{
    return MapSource::FromHost(hostName);
}

MapSource CMapOwnTiles::SourceFor(const QString&) const
{
    return MapSource::FromTileUrl(qEnvironmentVariable("KESTREL_MAP_TILE_URL"),
                                  qEnvironmentVariable("KESTREL_MAP_ATTRIBUTION"));
}
