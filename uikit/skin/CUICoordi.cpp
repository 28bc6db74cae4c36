#include "skin/CUICoordi.h"

#include "ini/CIniFile.h"
#include "skin/SkinNumbers.h"

#include <algorithm>

using kestrel::skin::WToI;

void CUICoordi::ParseColor(const QString& value, uint32_t& argb, uint32_t& colorRef)
{
    // Alpha, red and green end at the next comma; blue is the rest.
    uint32_t part[4] = {};
    QStringView rest(value);
    for (int i = 0; i < 4; ++i) {
        const qsizetype comma = i < 3 ? rest.indexOf(u',') : -1;
        const QStringView token = comma < 0 ? rest : rest.left(comma);
        part[i] = static_cast<uint32_t>(std::clamp(WToI(token), 0, 255));
        rest = comma < 0 ? QStringView() : rest.mid(comma + 1);
    }
    argb = part[0] << 24 | part[1] << 16 | part[2] << 8 | part[3];
    colorRef = part[1] | part[2] << 8 | part[3] << 16;
}

int CUICoordi::LoadInfo(const QString& path)
{
    const CIniFile ini = CIniFile::Load(path.toStdWString());
    for (const std::wstring& section : ini.GetSectionNames()) {
        auto get = [&](const wchar_t* key, int def) { return ini.GetInt(section, key, def); };
        auto pos = std::make_unique<_WIN_POS>();
        pos->x = get(L"x", -1);
        pos->y = get(L"y", -1);
        pos->cx = get(L"cx", -1);
        pos->cy = get(L"cy", -1);
        pos->ptOrigin = {pos->x, pos->y};
        pos->rect = {pos->x, pos->y, pos->x + pos->cx, pos->y + pos->cy};
        pos->hc = get(L"hc", 0);
        pos->vc = get(L"vc", 0);
        pos->s2l = get(L"s2l", -1);
        pos->s2r = get(L"s2r", -1);
        pos->s2t = get(L"s2t", -1);
        pos->s2b = get(L"s2b", -1);
        pos->rectS2 = {pos->s2l, pos->s2t, pos->s2r, pos->s2b};
        pos->dl = get(L"dl", 0);
        pos->dr = get(L"dr", 0);
        pos->dt = get(L"dt", 0);
        pos->db = get(L"db", 0);
        pos->rectD = {pos->dl, pos->dt, pos->dr, pos->db};
        pos->h_ratio = get(L"h_ratio", 0);
        pos->type = get(L"Type", 0);
        for (int i = 0; i < _WIN_POS::kColorCount; ++i) {
            const std::wstring key = i == 0 ? std::wstring(L"ColorText")
                                            : QStringLiteral("Color%1").arg(i - 1, 2, 10, QChar(u'0')).toStdWString();
            const QString value = QString::fromStdWString(ini.GetString(section, key, L"255,255,255,255"));
            ParseColor(value, pos->color[i], pos->colorRef[i]);
        }
        m_records[QString::fromStdWString(section)] = std::move(pos);
    }
    return 1;
}

const _WIN_POS* CUICoordi::GetWinPos(const QString& name) const
{
    const auto it = m_records.find(name);
    return it != m_records.end() ? it->second.get() : &m_default;
}

void CUICoordi::UnloadInfo()
{
    m_records.clear();
}
