#pragma once
// Puts a control into a user state by sending it the same events the
// pointer would: entering, pressing, releasing, leaving.
#include <QPoint>

class QWidget;

namespace gallery {
void Hover(QWidget* w, QPoint at);
void Press(QWidget* w, QPoint at);
void Release(QWidget* w, QPoint at);
void Leave(QWidget* w);
}  // namespace gallery
