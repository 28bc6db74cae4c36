// The child widget of a display: paints the current picture (flipped,
// zoomed), the logo while there is no picture, the label and, while zoomed,
// the picture-in-picture overview; wheel and drag drive the zoom.
#pragma once

#include <array>
#include <memory>

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>

#include "PictureBuffer.h"
#include "ZoomView.h"

// Everything a display shows besides the picture itself; owned by the
// display object, read and changed on the UI thread only.
struct DisplayState {
    std::shared_ptr<PictureBuffer> picture = std::make_shared<PictureBuffer>();
    ZoomView zoom;
    std::array<QImage, 3> logos;
    int logo = 0;
    QString labelFace;
    int labelSize = 12;
    QString label;
    QColor labelColour = Qt::white;
    int labelHorizontal = 0;
    int labelVertical = -1;
    int flip = 0;  // bit 0 vertical, bit 1 horizontal
    int pipPosition = 1;
    int pipShow = 1;
    QRect target;  // empty: the whole widget
};

class DisplayWidget : public QWidget {
    Q_OBJECT
public:
    DisplayWidget(DisplayState* state, QWidget* parent);

    // Where the picture goes inside the widget.
    QRectF TargetRect() const;
    // Brings the zoom's picture size up to date with the current picture.
    QImage SyncPicture();

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void PaintPicture(QPainter& p, const QImage& image, const QRectF& target, const QRectF& shownPart) const;
    void PaintOverview(QPainter& p, const QImage& image) const;
    void PaintLogo(QPainter& p) const;
    void PaintLabel(QPainter& p) const;

    DisplayState* m_state;
    bool m_dragging = false;
    QPointF m_dragFrom;
};
