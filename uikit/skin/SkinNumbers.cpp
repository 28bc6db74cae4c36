#include "skin/SkinNumbers.h"

#include <climits>

namespace kestrel::skin {

int WToI(QStringView s)
{
    qsizetype i = 0;
    while (i < s.size() && (s[i] == u' ' || s[i] == u'\t' || s[i] == u'\r' || s[i] == u'\n'))
        ++i;
    bool neg = false;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+'))
        neg = s[i++] == u'-';
    long long n = 0;
    for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) {
        n = n * 10 + (s[i].unicode() - u'0');
        if (n > static_cast<long long>(INT_MAX) + 1)
            n = static_cast<long long>(INT_MAX) + 1;
    }
    if (neg)
        n = -n;
    if (n > INT_MAX)
        n = INT_MAX;
    return static_cast<int>(n);
}

}  // namespace kestrel::skin
