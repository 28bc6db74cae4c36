// Times a one-hour track (3,600 fixes) drawn on the map popup through
// DrawPath, with tiles from a loopback tile server: the time until every
// fix is on the page, and the longest the user-interface thread went
// without turning (a 5 ms ticker). The engine's own cost is measured in the
// same run as the reference: the longest gap while the map only moves.
//
//   map_track_bench [--repeat N]     (runs offscreen; exit 1 over the limits)
#include "CWndMapEdge.h"
#include "LoopbackTileServer.h"

#include "startup/CKestrelApp.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

void Wait(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

template <class Pred>
bool WaitFor(Pred done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

struct Gaps {
    QElapsedTimer clock;
    qint64 worst = 0;
    QTimer ticker;
    Gaps()
    {
        QObject::connect(&ticker, &QTimer::timeout, [this] { worst = std::max(worst, clock.restart()); });
    }
    void Start()
    {
        worst = 0;
        clock.start();
        ticker.start(5);
    }
    qint64 Stop()
    {
        ticker.stop();
        return worst;
    }
};

}  // namespace

int main(int argc, char** argv)
{
    int repeat = 5;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--repeat") == 0)
            repeat = std::max(1, std::atoi(argv[i + 1]));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication qt(argc, argv);
    LoopbackTileServer tiles(600000);
    qputenv("KESTREL_MAP_TILE_URL", tiles.TileUrl().toUtf8());
    CKestrelApp app;
    if (!app.PrepareWithoutWindow(QStringLiteral(KESTREL_APP_DIR))) {
        std::fprintf(stderr, "the application folder %s could not be prepared\n", KESTREL_APP_DIR);
        return 1;
    }
    CWndMapEdge popup(nullptr, app.Resources());
    popup.Create(QStringLiteral(KESTREL_APP_DIR) + QStringLiteral("/language/en"));
    popup.show();
    if (!WaitFor([&] { return popup.Ready(); }, 20000)) {
        std::fprintf(stderr, "the map page did not load\n");
        return 1;
    }

    CRecFileInfo rec;
    for (int i = 0; i < 3600; ++i) {
        auto* s = new CUserDataInfo;
        s->m_cStatus = u'A';
        s->m_dLat = -37.39 + i * 0.00001;
        s->m_dLon = 127.02 + i * 0.000012;
        rec.m_arrGps.push_back(s);
    }

    Gaps gaps;
    std::vector<qint64> onPage, worstGap, engineGap;
    for (int r = 0; r < repeat; ++r) {
        // Reference: the map only moves (tiles load and draw).
        gaps.Start();
        popup.View()->Run(QStringLiteral("MoveTo(%1,11.5)").arg(40 + r));
        Wait(800);
        engineGap.push_back(gaps.Stop());

        popup.PlaybackStopped();
        Wait(300);
        gaps.Start();
        QElapsedTimer total;
        total.start();
        popup.DrawPath(&rec);
        const QString ask = QStringLiteral("paths[%1] ? paths[%1].count : 0").arg(popup.PathId());
        bool drawn = false;
        while (!drawn && total.elapsed() < 5000) {
            popup.View()->Query(ask, [&](const QVariant& v) { drawn = drawn || v.toInt() == 3600; });
            Wait(5);
        }
        onPage.push_back(drawn ? total.elapsed() : 99999);
        worstGap.push_back(gaps.Stop());
        Wait(500);
    }
    auto median = [](std::vector<qint64> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    const qint64 page = median(onPage), gap = median(worstGap), engine = median(engineGap);
    std::printf("3600-fix track on the page: median %lld ms (limit 300)\n", static_cast<long long>(page));
    std::printf("longest UI stall while drawing: median %lld ms (limit 50); while the map only moves: %lld ms\n",
                static_cast<long long>(gap), static_cast<long long>(engine));
    return page <= 300 && gap <= 50 ? 0 : 1;
}
