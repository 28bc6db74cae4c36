// CMapView: the embedded web engine view that shows the map page and runs
// its script functions. Calls are script texts run in the page in the
// order given; their completions are not waited for. A query's answer
// arrives later on the user-interface thread. Every map view shares one
// browser profile whose disk cache lives in the per-user cache folder, so
// tiles seen once show again without a network.
#pragma once

#include <QUrl>
#include <QVariant>
#include <QWebEngineView>

#include <functional>

class QWebEngineProfile;

namespace kestrel::map {

class CMapView : public QWebEngineView {
    Q_OBJECT
public:
    explicit CMapView(QWidget* parent = nullptr);
    ~CMapView() override;

    // Loads the page; Loaded() is false until it has finished loading.
    void Load(const QUrl& url);
    bool Loaded() const { return m_loaded; }
    QUrl PageUrl() const { return m_url; }

    // Runs a script text in the page; nothing before the page has loaded.
    void Run(const QString& script);
    // Runs a script text and hands its result over later (an invalid
    // QVariant when the page is not loaded or the script failed).
    void Query(const QString& script, std::function<void(const QVariant&)> answer);

    // The shared profile (created on first use).
    static QWebEngineProfile* Profile();

signals:
    void PageLoaded(bool ok);

private:
    QUrl m_url;
    bool m_loaded = false;
};

}  // namespace kestrel::map
