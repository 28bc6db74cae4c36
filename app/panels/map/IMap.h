// IMap: the map page as a child view for the map dialog and CWndMap, with
// one method per page function. Two variants tell where the tiles come
// from: CMapOnlineTiles takes the tile host the language file names,
// CMapOwnTiles the tile server of one's own set by KESTREL_MAP_TILE_URL
// (see README.md). Calls go in order and are not waited for; the two status
// queries answer later, on the user-interface thread. The view watches its
// tile host like the map popup (at once and every 15 seconds).
#pragma once

#include "CHostWatch.h"
#include "CMapView.h"
#include "MapScript.h"
#include "MapSource.h"
#include "PositionFilter.h"

#include <QWidget>

#include <functional>
#include <memory>

class IMap : public QWidget {
    Q_OBJECT
public:
    // The variant for a host name: own tiles when KESTREL_MAP_TILE_URL is
    // set, online tiles for a usable host name, none otherwise. The view is
    // a visible child with an empty rectangle until its owner places it.
    static IMap* Create(QWidget* parent, const QString& hostName, const QString& pagePath);
    ~IMap() override;

    // New page and host (after a language change); the page loads again.
    void ReloadPage(const QString& hostName, const QString& pagePath);
    // The last reachability answer; a new test starts in the background.
    bool CheckConnection();
    bool Connected() const { return m_watch.Connected(); }
    bool PageLoaded() const { return m_view->Loaded(); }
    // Sends a fix's position (ignored at 0/0 and when it did not move).
    void SendPosition(const CUserDataInfo& sample);

    // The page's functions.
    void SetLatLag(kestrel::map::LatLng pos);
    void CreatePolylineObject(int pathId);
    void AddLocation(int pathId, kestrel::map::LatLng pos);
    void ClearPolylineObjectAll();
    void MoveTo(kestrel::map::LatLng pos);
    void CreateMarkerObject(int markerId, kestrel::map::LatLng pos, const QStringList& texts);
    void ClearMarkerObjectAll();
    void ShowMarker(int markerId);
    // The marker whose preview the user asked for, 0 when none (also when
    // the page is not loaded).
    void GetPreviewStatus(std::function<void(int)> answer);
    // The marker or track the user picked, 0 when none.
    void GetPathStatus(std::function<void(int)> answer);

    kestrel::map::CMapView* View() const { return m_view; }
    kestrel::map::CHostWatch& Watch() { return m_watch; }
    const kestrel::map::MapSource& Source() const { return m_source; }

signals:
    void PageReady(bool ok);

protected:
    explicit IMap(QWidget* parent);
    // The tiles and probe of this variant for a host name.
    virtual kestrel::map::MapSource SourceFor(const QString& hostName) const = 0;
    void resizeEvent(QResizeEvent* event) override;

private:
    void AskInt(const QString& call, std::function<void(int)> answer);

    kestrel::map::CMapView* m_view;  // child
    kestrel::map::CHostWatch m_watch;
    kestrel::map::MapSource m_source;
    kestrel::map::CPositionFilter m_positions;
};

// Tiles from the host the language file names.
class CMapOnlineTiles final : public IMap {
public:
    using IMap::IMap;

protected:
    kestrel::map::MapSource SourceFor(const QString& hostName) const override;
};

// Tiles from the server KESTREL_MAP_TILE_URL names.
class CMapOwnTiles final : public IMap {
public:
    using IMap::IMap;

protected:
    kestrel::map::MapSource SourceFor(const QString& hostName) const override;
};
