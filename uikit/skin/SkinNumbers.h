// Number reading shared by the skin and language loaders.
#pragma once

#include <QStringView>

namespace kestrel::skin {

// Reads an int the way the classic wide-string atoi does: leading blanks,
// an optional sign, then decimal digits up to the first other character;
// 0 when there are no digits. Saturates instead of overflowing.
int WToI(QStringView s);

}  // namespace kestrel::skin
