// CUICoordi: the window and control records of a skin's coordinate file.
//
// One INI section per window or control, the section name being its look-up
// name; keys x, y, cx, cy, hc, vc, s2l, s2r, s2t, s2b, dl, dr, dt, db,
// h_ratio, Type, ColorText and Color00..Color05 (colours "alpha,red,green,
// blue", default opaque white).
#pragma once

#include "skin/WinPos.h"

#include "skin/QStringHash.h"

#include <QString>

#include <memory>
#include <unordered_map>

class CUICoordi {
public:
    CUICoordi() = default;
    virtual ~CUICoordi() = default;
    CUICoordi(const CUICoordi&) = delete;
    CUICoordi& operator=(const CUICoordi&) = delete;

    // Builds a record for every section of the file. A name loaded again
    // replaces the earlier record. Returns 1.
    int LoadInfo(const QString& path);
    // The stored record, or the built-in default record (all zero, the s2
    // values -1) for a name without a section. Never null.
    const _WIN_POS* GetWinPos(const QString& name) const;
    void UnloadInfo();

    // "alpha,red,green,blue" to ARGB and to RGB with red in the low byte.
    // Each part is read like atoi and kept to 0..255.
    static void ParseColor(const QString& value, uint32_t& argb, uint32_t& colorRef);

private:
    std::unordered_map<QString, std::unique_ptr<_WIN_POS>, KQStringHash> m_records;
    const _WIN_POS m_default{};
};
