#include "controls/CHyperLink.h"

#include <QDesktopServices>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace {
CHyperLink::UrlOpener& Opener() {
    static CHyperLink::UrlOpener opener;
    return opener;
}
}  // namespace

CHyperLink::CHyperLink(QWidget* parent, int id) : CCtrlWnd(parent, id) {
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    ApplyFont();
}

void CHyperLink::SetUrlOpener(UrlOpener opener) { Opener() = std::move(opener); }

void CHyperLink::SetURL(const QString& url) {
    m_url = url;
    FitToText();
    update();
}

void CHyperLink::SetColours(const QColor& link, const QColor& visited, const QColor& hover) {
    m_link = link;
    m_visitedColour = visited;
    m_hoverColour = hover;
    update();
}

void CHyperLink::SetUnderline(bool underline) {
    m_underline = underline;
    ApplyFont();
}

void CHyperLink::SetAutoSize(bool autoSize) {
    m_autoSize = autoSize;
    FitToText();
}

void CHyperLink::SetLinkCursor(const QCursor& cursor) { setCursor(cursor); }

void CHyperLink::SetVisited(bool visited) {
    m_visited = visited;
    update();
}

void CHyperLink::SetInitFont(const QString& face, int pixelSize, int style) {
    m_face = face;
    m_size = pixelSize;
    m_style = style;
    ApplyFont();
}

void CHyperLink::ApplyFont() {
    int style = m_style & ~FontStyleUnderline;
    if (m_underline) style |= FontStyleUnderline;
    m_font.SetInit(m_face, m_size, style);
    FitToText();
    update();
}

QString CHyperLink::DisplayText() const { return m_text.isEmpty() ? m_url : m_text; }

void CHyperLink::FitToText() {
    if (!m_autoSize) return;
    const QFontMetrics fm(m_font.Font());
    resize(fm.horizontalAdvance(DisplayText()) + 2, fm.height());
}

QColor CHyperLink::CurrentColour() const {
    if (m_hover) return m_hoverColour;
    return m_visited ? m_visitedColour : m_link;
}

bool CHyperLink::GotoURL() {
    if (m_url.isEmpty()) return false;
    const QUrl url = QUrl::fromUserInput(m_url);
    const bool ok = Opener() ? Opener()(url) : QDesktopServices::openUrl(url);
    if (ok) SetVisited(true);
    return ok;
}

void CHyperLink::Draw(QPainter& p) {
    m_font.DrawString(p, DisplayText(), 0, 0, width(), height(), CurrentColour(), StringAlignmentNear,
                      StringAlignmentCenter);
}

void CHyperLink::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) GotoURL();
}

void CHyperLink::mouseMoveEvent(QMouseEvent* e) {
    const bool inside = rect().contains(e->position().toPoint());
    if (inside != m_hover) {
        m_hover = inside;
        update();
    }
}

void CHyperLink::enterEvent(QEnterEvent*) {
    m_hover = true;
    update();
}

void CHyperLink::leaveEvent(QEvent*) {
    m_hover = false;
    update();
}
