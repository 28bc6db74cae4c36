#include "CWndMap.h"

#include "MapLayout.h"

#include "skin/CUIResources.h"

#include <QPainter>
#include <QResizeEvent>

CWndMap::CWndMap(QWidget* parent, const CUIResources& resources) : QWidget(parent, Qt::Window), m_res(resources)
{
    resize(kestrel::map::PopupSize(m_res));
}

void CWndMap::Create(const QString& languageFolder)
{
    delete m_map;
    m_map = IMap::Create(this, m_res.GetUIMapInfo(), languageFolder + QStringLiteral("/map.html"));
    if (m_map)
        connect(&m_map->Watch(), &kestrel::map::CHostWatch::Answered, this, [this](bool connected) {
            if (!connected)
                hide();
        });
    setWindowTitle(m_res.GetUIText(QStringLiteral("popup_dlg_map")));
    PlaceMap();
}

void CWndMap::ReloadPage(const QString& languageFolder)
{
    if (!m_map) {
        Create(languageFolder);
        return;
    }
    m_map->ReloadPage(m_res.GetUIMapInfo(), languageFolder + QStringLiteral("/map.html"));
    setWindowTitle(m_res.GetUIText(QStringLiteral("popup_dlg_map")));
    PlaceMap();
}

void CWndMap::PlaceMap()
{
    if (m_map)
        m_map->setGeometry(kestrel::map::MapViewRect(m_res, size()));
}

void CWndMap::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceMap();
}

void CWndMap::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    kestrel::map::PaintPopupFrame(p, m_res, size(), windowTitle());
}
