// Resource look-ups of the list panel through the application (plug-in
// first, then skin and language files). Without an application object, as
// in tests of single pieces, they answer "nothing": an empty text, a record
// without size, no picture, no font size.
#pragma once

#include "skin/WinPos.h"

#include <QColor>
#include <QRect>
#include <QString>

class QImage;

namespace kestrel::list {

QString SkinText(const QString& key);
// Never null: a key without a record answers an all-zero record.
const _WIN_POS& SkinPos(const QString& key);
const QImage* SkinImage(const QString& key);
// -1 when the key has no font size.
int SkinFontSize(const QString& key);
QString SkinFontName();
// The rectangle of "base_window": the size every record is drawn for.
KSkinRect SkinReference();

// Colour slot `slot` of a record (0 = ColorText, 1.. = Color00..).
QColor RecordColour(const _WIN_POS& pos, int slot);
bool HasSize(const _WIN_POS& pos);
QRect ToQRect(const KSkinRect& r);

}  // namespace kestrel::list
