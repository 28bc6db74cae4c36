// Zoom and pan state of one display, in the coordinates of the picture as it
// is shown (after flipping): the view is the part of the picture that fills
// the target rectangle of the widget. Pure geometry, no painting.
#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>

class ZoomView {
public:
    static constexpr double kMaxZoom = 8.0;

    // A new picture size resets the view to the whole picture.
    void SetPicture(QSize size);
    QSize Picture() const { return m_picture; }
    QRectF View() const { return m_view; }
    bool Zoomed() const;
    void Reset();

    // The picture point shown at `widgetPos` when the view fills `target`.
    QPointF ToPicture(const QRectF& target, QPointF widgetPos) const;
    // Zooms by `factor` (above 1 zooms in) keeping the picture point under
    // `widgetPos` where it is; the zoom stays between 1 and kMaxZoom.
    void ZoomAt(const QRectF& target, QPointF widgetPos, double factor);
    // Moves the view with a drag of `widgetDelta` pixels, clamped so the
    // view never leaves the picture.
    void Pan(const QRectF& target, QPointF widgetDelta);
    // Shows `rect` of the picture (clipped to it, at most kMaxZoom).
    void SetView(const QRectF& rect);

    // Where the overview goes in a widget of `widget` size: a quarter of
    // each side, in the top-left corner for position 0 and the bottom-right
    // corner otherwise.
    static QRect PipRect(QSize widget, int position);

private:
    void Clamp();

    QSize m_picture;
    QRectF m_view;
};
