// The map popup in a real web engine page offscreen, with tiles from a
// loopback tile server: tracks, live positions and markers reach the page
// (read back by script), status queries report picks, marker texts stay
// text, the popup hides when its host goes away, and a one-hour track is
// drawn quickly without stalling the user-interface thread.
#include "CWndMap.h"
#include "CWndMapEdge.h"
#include "LoopbackTileServer.h"
#include "MapScript.h"

#include "OffscreenViewerEnv.h"
#include "startup/CKestrelApp.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QWebEngineProfile>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Env {
    std::unique_ptr<kestrel::testenv::OffscreenViewerEnv> qt;
    std::unique_ptr<LoopbackTileServer> tiles;
    std::unique_ptr<CKestrelApp> app;
    bool ready = false;
};
Env g_env;

// Brings the engine up once and takes it down before the program ends, in
// order (the engine must not outlive the application object).
class MapEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        // The engine's sandbox cannot run as root in a container.
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu");
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        g_env.qt = std::make_unique<kestrel::testenv::OffscreenViewerEnv>("map_page_tests");
        g_env.tiles = std::make_unique<LoopbackTileServer>(180000);
        qputenv("KESTREL_MAP_TILE_URL", g_env.tiles->TileUrl().toUtf8());
        g_env.app = std::make_unique<CKestrelApp>();
        g_env.ready = g_env.qt->Ok() && g_env.tiles->Listening() &&
                      g_env.app->PrepareWithoutWindow(QStringLiteral(KESTREL_APP_DIR));
    }
    void TearDown() override
    {
        g_env.app.reset();
        g_env.tiles.reset();
        QTest::qWait(50);  // let the engine finish closing its pages
        g_env.qt.reset();
    }
};
[[maybe_unused]] ::testing::Environment* const g_registered = ::testing::AddGlobalTestEnvironment(new MapEnvironment);

Env& Shared()
{
    return g_env;
}

template <class Pred>
bool WaitFor(Pred done, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeoutMs)
            return false;
        QTest::qWait(5);
    }
    return true;
}

QVariant Ask(kestrel::map::CMapView* view, const QString& script)
{
    QVariant result;
    bool answered = false;
    view->Query(script, [&](const QVariant& v) {
        result = v;
        answered = true;
    });
    WaitFor([&] { return answered; }, 5000);
    return result;
}

QJsonObject State(kestrel::map::CMapView* view)
{
    return QJsonDocument::fromJson(Ask(view, QStringLiteral("kestrelMapState()")).toString().toUtf8()).object();
}

CUserDataInfo* Fix(char16_t status, double latRaw, char16_t ns, double lonRaw, char16_t ew)
{
    auto* s = new CUserDataInfo;
    s->m_cStatus = status;
    s->m_dLatRaw = latRaw;
    s->m_cNS = ns;
    s->m_dLonRaw = lonRaw;
    s->m_cEW = ew;
    s->m_dLat = *kestrel::map::RawToDecimal(latRaw, ns);
    s->m_dLon = *kestrel::map::RawToDecimal(lonRaw, ew);
    return s;
}

class MapPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Shared().ready);
        m_popup = std::make_unique<CWndMapEdge>(nullptr, Shared().app->Resources());
        m_popup->Create(QStringLiteral(KESTREL_APP_DIR) + QStringLiteral("/language/en"));
        m_popup->show();
        ASSERT_TRUE(WaitFor([&] { return m_popup->Ready(); }, 20000))
            << "loaded " << m_popup->PageLoaded() << " connected " << m_popup->Connected();
    }
    kestrel::map::CMapView* View() { return m_popup->View(); }

    std::unique_ptr<CWndMapEdge> m_popup;
};

}  // namespace

TEST_F(MapPage, TrackAndLivePositionsReachThePage)
{
    CRecFileInfo rec;
    for (int i = 0; i < 20; ++i)
        rec.m_arrGps.push_back(Fix(i == 5 ? u'V' : u'A', 3723.4560 + i * 0.01, u'S', 12701.2345 + i * 0.01, u'E'));
    m_popup->PlaybackStarted(&rec);
    const QString id = QString::number(m_popup->PathId());
    ASSERT_TRUE(WaitFor([&] { return State(View())[QStringLiteral("paths")].toObject()[id].toInt() == 19; }, 5000));

    m_popup->Sample(*rec.m_arrGps[0]);
    m_popup->Sample(*rec.m_arrGps[0]);  // the same position again sends nothing new
    CUserDataInfo none;                 // no fix at 0/0
    m_popup->Sample(none);
    QJsonObject s = State(View());
    ASSERT_TRUE(s[QStringLiteral("live")].isArray());
    EXPECT_NEAR(s[QStringLiteral("live")].toArray()[0].toDouble(), -37.390933, 1e-6);
    EXPECT_NEAR(s[QStringLiteral("live")].toArray()[1].toDouble(), 127.020575, 1e-6);
    EXPECT_EQ(s[QStringLiteral("tiles")].toString(), Shared().tiles->TileUrl());

    m_popup->PlaybackStopped();
    s = State(View());
    EXPECT_TRUE(s[QStringLiteral("paths")].toObject().isEmpty());
    EXPECT_EQ(m_popup->PathId(), 0);
    // Tiles came from the loopback server, nothing else was asked for.
    EXPECT_TRUE(WaitFor([] { return Shared().tiles->TilesServed() > 0; }, 5000));
}

TEST(MapWaitingTrack, ARecordingStartedBeforeThePageIsReadyGetsItsTrackOnceItIs)
{
    ASSERT_TRUE(Shared().ready);
    CRecFileInfo rec;
    for (int i = 0; i < 10; ++i)
        rec.m_arrGps.push_back(Fix(u'A', 4807.038 + i * 0.01, u'N', 1131.0 + i * 0.01, u'E'));
    CWndMapEdge popup(nullptr, Shared().app->Resources());
    popup.Create(QStringLiteral(KESTREL_APP_DIR) + QStringLiteral("/language/en"));
    ASSERT_FALSE(popup.Ready()) << "the page loads and the host answers later";
    popup.PlaybackStarted(&rec);
    EXPECT_EQ(popup.PathId(), 0);
    popup.show();
    ASSERT_TRUE(WaitFor([&] { return popup.Ready() && popup.PathId() != 0; }, 20000));
    const QString id = QString::number(popup.PathId());
    EXPECT_TRUE(WaitFor([&] { return State(popup.View())[QStringLiteral("paths")].toObject()[id].toInt() == 10; }, 5000));
    popup.PlaybackStopped();
}

TEST_F(MapPage, InvalidFixesDrawAnEmptyTrack)
{
    CRecFileInfo rec;
    for (int i = 0; i < 5; ++i)
        rec.m_arrGps.push_back(Fix(u'V', 4807.038, u'N', 1131.0, u'E'));
    m_popup->DrawPath(&rec);
    const QString id = QString::number(m_popup->PathId());
    const QJsonObject paths = State(View())[QStringLiteral("paths")].toObject();
    EXPECT_TRUE(paths.contains(id));
    EXPECT_EQ(paths[id].toInt(), 0);
}

TEST_F(MapPage, MarkerTextsStayTextAndPicksAreReportedOnce)
{
    View()->Run(kestrel::map::CreateMarkerCall(
        42, {48.1173, 11.516667},
        {QStringLiteral("<img src=x onerror=\"document.title='owned'\">"), QStringLiteral("<b>bold</b>"),
         QStringLiteral("2026-12-08 10:00:00"), QStringLiteral("Show preview")}));
    const QJsonObject marker = State(View())[QStringLiteral("markers")].toObject()[QStringLiteral("42")].toObject();
    ASSERT_FALSE(marker.isEmpty());
    const QString html = marker[QStringLiteral("html")].toString();
    EXPECT_TRUE(html.contains(QStringLiteral("&lt;img"))) << html.toStdString();
    EXPECT_FALSE(html.contains(QStringLiteral("<img"))) << html.toStdString();
    EXPECT_FALSE(html.contains(QStringLiteral("<b>"))) << html.toStdString();
    EXPECT_NE(Ask(View(), QStringLiteral("document.title")).toString(), QStringLiteral("owned"));

    EXPECT_EQ(Ask(View(), kestrel::map::PathStatusCall()).toInt(), 0);
    Ask(View(), QStringLiteral("markers[42].marker.fire('click'); 1"));
    EXPECT_EQ(Ask(View(), kestrel::map::PathStatusCall()).toInt(), 42);
    EXPECT_EQ(Ask(View(), kestrel::map::PathStatusCall()).toInt(), 0);

    View()->Run(kestrel::map::ShowMarkerCall(42));
    Ask(View(), QStringLiteral("markers[42].marker.getPopup().getContent().querySelector('a').click(); 1"));
    EXPECT_EQ(Ask(View(), kestrel::map::PreviewStatusCall()).toInt(), 42);
    EXPECT_EQ(Ask(View(), kestrel::map::PreviewStatusCall()).toInt(), 0);

    View()->Run(kestrel::map::ClearMarkersCall());
    EXPECT_TRUE(State(View())[QStringLiteral("markers")].toObject().isEmpty());
}

TEST_F(MapPage, OneHourTrackArrivesWithoutHoldingUpTheWindow)
{
    // Timings against the engine's own cost are in map_track_bench; here:
    // the call returns at once and every fix reaches the page.
    CRecFileInfo rec;
    for (int i = 0; i < 3600; ++i)
        rec.m_arrGps.push_back(Fix(u'A', 3723.4560 + i * 0.0005, u'S', 12701.2345 + i * 0.0007, u'E'));
    QElapsedTimer call;
    call.start();
    m_popup->DrawPath(&rec);
    EXPECT_LT(call.elapsed(), 50);
    EXPECT_TRUE(m_popup->DrawingPath());  // the rest follows turn by turn
    const QString id = QString::number(m_popup->PathId());
    EXPECT_TRUE(WaitFor([&] { return State(View())[QStringLiteral("paths")].toObject()[id].toInt() == 3600; }, 5000));
    EXPECT_FALSE(m_popup->DrawingPath());

    // Playback closing half-way through a track stops the rest of it.
    m_popup->DrawPath(&rec);
    m_popup->PlaybackStopped();
    EXPECT_FALSE(m_popup->DrawingPath());
    QTest::qWait(100);
    EXPECT_TRUE(State(View())[QStringLiteral("paths")].toObject().isEmpty());

    if (const char* out = std::getenv("KESTREL_MAP_SHOT")) {
        m_popup->DrawPath(&rec);
        QTest::qWait(2000);  // tiles of the fitted view
        m_popup->grab().save(QString::fromLocal8Bit(out));
    }
}

TEST_F(MapPage, PopupHidesWhenItsHostBecomesUnreachable)
{
    ASSERT_TRUE(m_popup->isVisible());
    // A second server stands in for the host, so the shared one stays up.
    LoopbackTileServer host;
    qputenv("KESTREL_MAP_TILE_URL", host.TileUrl().toUtf8());
    m_popup->ReloadPage(QStringLiteral(KESTREL_APP_DIR) + QStringLiteral("/language/en"));
    ASSERT_TRUE(WaitFor([&] { return m_popup->Ready(); }, 20000));
    EXPECT_TRUE(m_popup->isVisible());

    host.Close();
    QElapsedTimer t;
    t.start();
    m_popup->CheckConnection();  // what the 15-second timer does
    EXPECT_LT(t.elapsed(), 50);  // the test runs beside the window, not in it
    EXPECT_TRUE(WaitFor([&] { return !m_popup->isVisible(); }, 3000));
    EXPECT_FALSE(m_popup->Ready());
    qputenv("KESTREL_MAP_TILE_URL", Shared().tiles->TileUrl().toUtf8());
}

TEST_F(MapPage, RecheckRunsEveryFifteenSeconds)
{
    EXPECT_EQ(kestrel::map::CHostWatch::kRecheckMs, 15000);
    kestrel::map::CHostWatch watch;
    int answers = 0;
    QObject::connect(&watch, &kestrel::map::CHostWatch::Answered, [&](bool) { ++answers; });
    watch.Watch({"127.0.0.1", Shared().tiles->Port(), false, 2000}, 100);
    EXPECT_TRUE(WaitFor([&] { return answers >= 3; }, 3000));
    EXPECT_TRUE(watch.Connected());
}

TEST(MapVariants, HostNameRuleAndStatusQueriesThroughIMap)
{
    ASSERT_TRUE(Shared().ready);
    const QString page = QStringLiteral(KESTREL_APP_DIR) + QStringLiteral("/language/en/map.html");
    QWidget parent;
    const QByteArray own = qgetenv("KESTREL_MAP_TILE_URL");
    qunsetenv("KESTREL_MAP_TILE_URL");
    std::unique_ptr<IMap> online(IMap::Create(&parent, QStringLiteral("tile.openstreetmap.org"), page));
    EXPECT_NE(dynamic_cast<CMapOnlineTiles*>(online.get()), nullptr);
    EXPECT_EQ(IMap::Create(&parent, QString(), page), nullptr);
    EXPECT_EQ(IMap::Create(&parent, QStringLiteral("bad host/name"), page), nullptr);
    online.reset();
    qputenv("KESTREL_MAP_TILE_URL", own);

    std::unique_ptr<IMap> map(IMap::Create(&parent, QString(), page));
    ASSERT_NE(dynamic_cast<CMapOwnTiles*>(map.get()), nullptr);
    parent.resize(400, 300);
    map->setGeometry(0, 0, 400, 300);
    parent.show();
    ASSERT_TRUE(WaitFor([&] { return map->PageLoaded() && map->Connected(); }, 20000));

    map->CreateMarkerObject(7, {48.1, 11.5}, {QStringLiteral("a"), QStringLiteral("b"), QString(), QStringLiteral("p")});
    map->ShowMarker(7);
    int path = -1;
    map->GetPathStatus([&](int v) { path = v; });
    ASSERT_TRUE(WaitFor([&] { return path >= 0; }, 5000));
    EXPECT_EQ(path, 0);
    Ask(map->View(), QStringLiteral("markers[7].marker.fire('click'); 1"));
    path = -1;
    map->GetPathStatus([&](int v) { path = v; });
    ASSERT_TRUE(WaitFor([&] { return path >= 0; }, 5000));
    EXPECT_EQ(path, 7);

    map->CreatePolylineObject(3);
    map->AddLocation(3, {48.1, 11.5});
    map->AddLocation(3, {48.2, 11.6});
    map->SendPosition(*std::unique_ptr<CUserDataInfo>(Fix(u'A', 4807.038, u'N', 1131.0, u'E')));
    const QJsonObject s = State(map->View());
    EXPECT_EQ(s[QStringLiteral("paths")].toObject()[QStringLiteral("3")].toInt(), 2);
    EXPECT_NEAR(s[QStringLiteral("live")].toArray()[0].toDouble(), 48.1173, 1e-6);
    map->ClearPolylineObjectAll();
    map->ClearMarkerObjectAll();
    EXPECT_TRUE(State(map->View())[QStringLiteral("markers")].toObject().isEmpty());
}

TEST(MapVariants, MapPopupHidesWhenItsHostGoesAway)
{
    ASSERT_TRUE(Shared().ready);
    LoopbackTileServer host;
    const QByteArray own = qgetenv("KESTREL_MAP_TILE_URL");
    qputenv("KESTREL_MAP_TILE_URL", host.TileUrl().toUtf8());
    CWndMap popup(nullptr, Shared().app->Resources());
    popup.Create(QStringLiteral(KESTREL_APP_DIR) + QStringLiteral("/language/en"));
    qputenv("KESTREL_MAP_TILE_URL", own);
    ASSERT_NE(popup.Map(), nullptr);
    popup.show();
    ASSERT_TRUE(WaitFor([&] { return popup.Map()->Connected(); }, 5000));
    EXPECT_TRUE(popup.isVisible());
    host.Close();
    popup.Map()->CheckConnection();
    EXPECT_TRUE(WaitFor([&] { return !popup.isVisible(); }, 3000));
}

TEST(MapCache, TilesAreKeptInThePerUserCacheFolder)
{
    ASSERT_TRUE(Shared().ready);
    QWebEngineProfile* profile = kestrel::map::CMapView::Profile();
    EXPECT_EQ(profile->httpCacheType(), QWebEngineProfile::DiskHttpCache);
    EXPECT_TRUE(profile->cachePath().startsWith(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)))
        << profile->cachePath().toStdString();
    EXPECT_FALSE(profile->isOffTheRecord());
}

TEST(MapMissingPage, APopupWithoutItsPageIsNeverReady)
{
    ASSERT_TRUE(Shared().ready);
    CWndMapEdge popup(nullptr, Shared().app->Resources());
    bool finished = false;
    QObject::connect(&popup, &CWndMapEdge::PageReady, [&](bool) { finished = true; });
    popup.Create(QString());  // no language folder: "/map.html"
    ASSERT_TRUE(WaitFor([&] { return finished; }, 10000));
    ASSERT_TRUE(WaitFor([&] { return popup.Connected(); }, 5000));
    EXPECT_FALSE(popup.PageLoaded());
    EXPECT_FALSE(popup.Ready());  // so the flow sends it nothing
    CRecFileInfo rec;
    rec.m_arrGps.push_back(Fix(u'A', 4807.038, u'N', 1131.0, u'E'));
    popup.DrawPath(&rec);  // harmless all the same
    popup.PlaybackStopped();
    EXPECT_EQ(popup.PathId(), 0);
}
