#include "ListSkinLookup.h"

#include "startup/CKestrelApp.h"

namespace kestrel::list {

namespace {
const _WIN_POS kEmptyPos = [] {
    _WIN_POS p;
    p.s2l = p.s2r = p.s2t = p.s2b = -1;
    return p;
}();
}  // namespace

QString SkinText(const QString& key)
{
    const CKestrelApp* app = CKestrelApp::Instance();
    return app ? app->GetUIText(key) : QString();
}

const _WIN_POS& SkinPos(const QString& key)
{
    const CKestrelApp* app = CKestrelApp::Instance();
    const _WIN_POS* pos = app ? app->GetUIPos(key) : nullptr;
    return pos ? *pos : kEmptyPos;
}

const QImage* SkinImage(const QString& key)
{
    const CKestrelApp* app = CKestrelApp::Instance();
    return app ? app->GetUIImage(key) : nullptr;
}

int SkinFontSize(const QString& key)
{
    const CKestrelApp* app = CKestrelApp::Instance();
    return app ? app->GetUIFontSize(key) : -1;
}

QString SkinFontName()
{
    const CKestrelApp* app = CKestrelApp::Instance();
    return app ? app->FontName() : QString();
}

KSkinRect SkinReference()
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
