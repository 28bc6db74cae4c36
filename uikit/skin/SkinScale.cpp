#include "skin/SkinScale.h"

#include <algorithm>

namespace kestrel::skin {
namespace {

int Round(double v) { return static_cast<int>(v + 0.5); }

// A margin scales like a position; an unset (negative) one stays -1.
int Margin(int skinValue, double k) { return skinValue < 0 ? -1 : Round(skinValue * k); }

struct Factors {
    double fx = 1.0, fy = 1.0, s = 1.0;
};

Factors FactorsFor(int width, int height, const KSkinRect& reference)
{
    Factors f;
    const int rw = reference.right - reference.left;
    const int rh = reference.bottom - reference.top;
    if (rw <= 0 || rh <= 0)
        return f;
    f.fx = static_cast<double>(width) / rw;
    f.fy = static_cast<double>(height) / rh;
    f.s = std::min({1.0, f.fx, f.fy});
    return f;
}

}  // namespace

double UniformScale(int width, int height, const KSkinRect& reference)
{
    return FactorsFor(width, height, reference).s;
}

KSkinRect ScaleSkinRect(const _WIN_POS& pos, int width, int height, const KSkinRect& reference)
{
    return ScaleSkinRectWithin(pos, width, height, width, height, reference);
}

KSkinRect ScaleSkinRectWithin(const _WIN_POS& pos, int width, int height, int windowWidth, int windowHeight,
                              const KSkinRect& reference)
{
    const Factors f = FactorsFor(windowWidth, windowHeight, reference);
    double xs = f.s, ys = f.s;
    if (pos.h_ratio == 1) {
        xs = f.fx;
    } else if (pos.h_ratio != 0) {
        xs = f.fx;
        ys = f.fy;
    }
    const bool sizeUniform = pos.h_ratio == 3;
    const int X = Round(pos.x * (sizeUniform ? f.s : xs));
    const int CW = Round(pos.cx * (sizeUniform ? f.s : xs));
    const int CH = Round(pos.cy * (sizeUniform ? f.s : ys));
    const int Y = Round(pos.y * f.s);
    const int Ml = Margin(pos.s2l, xs);
    const int Mr = Margin(pos.s2r, xs);
    const int Mt = Margin(pos.s2t, f.s);
    const int Mb = Margin(pos.s2b, f.s);
    const bool hasL = Ml >= 0, hasR = Mr >= 0, hasT = Mt >= 0, hasB = Mb >= 0;

    KSkinRect r;
    if (hasL && hasR) {
        r.left = Ml + 2 * X;
        r.right = width - Mr;
    } else if (pos.hc) {
        r.left = (width - CW) / 2 + X;
        if (hasL)
            r.left -= Ml;
        else if (hasR)
            r.left += Mr;
        r.right = r.left + CW;
    } else if (hasL) {
        r.left = X + Ml;
        r.right = r.left + CW;
    } else if (hasR) {
        r.right = width - Mr + X;
        r.left = r.right - CW;
    } else {
        r.left = X;
        r.right = X + CW;
    }

    if (hasT && hasB) {
        r.top = Y + Mt;
        r.bottom = height - Mb;
    } else if (pos.vc) {
        r.top = (height - CH) / 2;
        if (hasT)
            r.top -= Mt;
        else if (hasB)
            r.top += Mb;
        r.bottom = r.top + CH;
    } else if (hasT) {
        r.top = Y + Mt;
        r.bottom = r.top + CH;
    } else if (hasB) {
        r.bottom = height - Mb;
        r.top = r.bottom - CH;
    } else {
        r.top = Y;
        r.bottom = Y + CH;
    }
    return r;
}

int ScaleFontSize(int size, int width, int height, const KSkinRect& reference)
{
    return Round(size * UniformScale(width, height, reference));
}

}  // namespace kestrel::skin
