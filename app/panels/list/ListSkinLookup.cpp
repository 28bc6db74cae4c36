#include "ListSkinLookup.h"

#include "skin/CUIResources.h"

namespace kestrel::list {

namespace {
const _WIN_POS kEmptyPos = [] {
    _WIN_POS p;
    p.s2l = p.s2r = p.s2t = p.s2b = -1;
    return p;
}();
}  // namespace

QString CListSkinLookup::SkinText(const QString& key) const
{
    return m_res.GetUIText(key);
}

const _WIN_POS& CListSkinLookup::SkinPos(const QString& key) const
{
    const _WIN_POS* pos = m_res.GetUIPos(key);
    return pos ? *pos : kEmptyPos;
}

const QImage* CListSkinLookup::SkinImage(const QString& key) const
{
    return m_res.GetUIImage(key);
}

int CListSkinLookup::SkinFontSize(const QString& key) const
{
    return m_res.GetUIFontSize(key);
}

QString CListSkinLookup::SkinFontName() const
{
    return m_res.FontName();
}

KSkinRect CListSkinLookup::SkinReference() const
{
    return SkinPos(QStringLiteral("base_window")).rect;
}

QColor RecordColour(const _WIN_POS& pos, int slot)
{
    if (slot < 0 || slot >= _WIN_POS::kColorCount)
        return QColor(Qt::white);
    return QColor::fromRgba(pos.color[slot]);
}

bool HasSize(const _WIN_POS& pos)
{
    return pos.cx > 0 && pos.cy > 0;
}

QRect ToQRect(const KSkinRect& r)
{
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

}  // namespace kestrel::list
