// The list panel's view of the skin and language look-ups it was built
// with (plug-in first, then skin and language files). Look-ups of a key the
// files lack answer "nothing": an empty text, a record without size, no
// picture, no font size.
#pragma once

#include "skin/WinPos.h"

#include <QColor>
#include <QRect>
#include <QString>

class CUIResources;
class QImage;

namespace kestrel::list {

class CListSkinLookup {
public:
    // Not owned; must outlive the panel.
    explicit CListSkinLookup(const CUIResources& resources) : m_res(resources) {}

    QString SkinText(const QString& key) const;
    // Never null: a key without a record answers an all-zero record.
    const _WIN_POS& SkinPos(const QString& key) const;
    const QImage* SkinImage(const QString& key) const;
    // -1 when the key has no font size.
    int SkinFontSize(const QString& key) const;
    QString SkinFontName() const;
    // The rectangle of "base_window": the size every record is drawn for.
    KSkinRect SkinReference() const;

private:
    const CUIResources& m_res;
};

// Colour slot `slot` of a record (0 = ColorText, 1.. = Color00..).
QColor RecordColour(const _WIN_POS& pos, int slot);
bool HasSize(const _WIN_POS& pos);
QRect ToQRect(const KSkinRect& r);

}  // namespace kestrel::list
