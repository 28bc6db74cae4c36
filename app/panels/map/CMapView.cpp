#include "CMapView.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
// The web engine frees some of its own objects through a base type of
// another size; that is inside the engine, not ours to mend, and the
// checker would otherwise stop every sanitizer build that shows the map.
extern "C" const char* __asan_default_options()
{
    return "new_delete_type_mismatch=0";
}
// Likewise the engine and the font cache it fills keep objects for the
// life of the process that the leak checker would report at exit.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libQt6WebEngineCore.so\nleak:libfontconfig.so\n";
}
#endif

namespace kestrel::map {

QWebEngineProfile* CMapView::Profile()
{
    static QWebEngineProfile* profile = [] {
        // The engine's sandbox refuses to start for the superuser and would
        // take the whole viewer down; the map only shows local pages and
        // tiles, so it runs without it there.
        if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
            qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        auto* p = new QWebEngineProfile(QStringLiteral("kestrel-map"), QCoreApplication::instance());
        const QString cache =
            QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/kestrel/map");
        QDir().mkpath(cache);
        p->setCachePath(cache);
        p->setPersistentStoragePath(cache + QStringLiteral("/storage"));
        p->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
        p->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
        return p;
    }();
    return profile;
}

CMapView::CMapView(QWidget* parent) : QWebEngineView(parent)
{
    auto* page = new QWebEnginePage(Profile(), this);
    // The page is a local file that shows tiles from the tile host.
    page->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    setPage(page);
    connect(this, &QWebEngineView::loadStarted, this, [this] { m_loaded = false; });
    connect(this, &QWebEngineView::loadFinished, this, [this](bool ok) {
        m_loaded = ok;
        emit PageLoaded(ok);
    });
}

CMapView::~CMapView()
{
    // The page goes before the view, while the profile still lives.
    delete page();
}

void CMapView::Load(const QUrl& url)
{
    m_url = url;
    m_loaded = false;
    load(url);
}

void CMapView::Run(const QString& script)
{
    if (m_loaded && !script.isEmpty())
        page()->runJavaScript(script);
}

void CMapView::Query(const QString& script, std::function<void(const QVariant&)> answer)
{
    if (!m_loaded || script.isEmpty()) {
        if (answer)
            answer(QVariant());
        return;
    }
    page()->runJavaScript(script, [answer = std::move(answer)](const QVariant& v) {
        if (answer)
            answer(v);
    });
}

}  // namespace kestrel::map
