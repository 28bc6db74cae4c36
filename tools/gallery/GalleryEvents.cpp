#include "GalleryEvents.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QWidget>

namespace gallery {
namespace {
void Mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
}  // namespace

void Hover(QWidget* w, QPoint at) {
    const QPointF local(at);
    QEnterEvent enter(local, local, QPointF(w->mapToGlobal(at)));
    QApplication::sendEvent(w, &enter);
    Mouse(w, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
}

void Press(QWidget* w, QPoint at) { Mouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton); }

void Release(QWidget* w, QPoint at) { Mouse(w, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton); }

void Leave(QWidget* w) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w, &leave);
}
}  // namespace gallery
