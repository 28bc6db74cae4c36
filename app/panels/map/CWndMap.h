// CWndMap: a popup holding an IMap, for the map dialog's way of showing
// the map. Like the map popup it is created hidden, watches the tile host
// and hides itself when the host cannot be reached. User-interface thread
// only.
#pragma once

#include "IMap.h"

#include <QWidget>

class CUIResources;

class CWndMap : public QWidget {
    Q_OBJECT
public:
    // `resources`: skin and text look-ups, not owned, must outlive the popup.
    CWndMap(QWidget* parent, const CUIResources& resources);

    // Makes the map for the language's host and page (none for a host name
    // no variant takes).
    void Create(const QString& languageFolder);
    void ReloadPage(const QString& languageFolder);
    IMap* Map() const { return m_map; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceMap();

    const CUIResources& m_res;
    IMap* m_map = nullptr;  // child
};
