#include "startup/DialogSize.h"

namespace kestrel {

QSize SizeOfClass(int sizeClass)
{
    switch (sizeClass) {
    case 4: return {1920, 1080};
    case 3: return {1760, 990};
    case 2: return {1600, 900};
    case 1: return {1440, 810};
    default: return {1280, 720};
    }
}

int LargestClassFor(QSize screen)
{
    for (int c = kSizeClassCount - 1; c > 0; --c) {
        const QSize s = SizeOfClass(c);
        if (screen.width() > s.width() && screen.height() > s.height())
            return c;
    }
    return 0;
}

int ChooseSizeClass(int stored, QSize screen)
{
    const int largest = LargestClassFor(screen);
    return stored > largest ? largest : stored;
}

}  // namespace kestrel
