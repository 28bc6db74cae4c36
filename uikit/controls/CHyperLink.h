#pragma once
// Static text that opens a link when clicked: link, visited and hover
// colours, optional underline, an optional size that follows the text, and a
// hand cursor while over it.
#include "controls/CCtrlGDIpString.h"
#include "controls/CCtrlWnd.h"

#include <QCursor>
#include <QUrl>
#include <functional>

class CHyperLink : public CCtrlWnd {
    Q_OBJECT
public:
    // Opens a link; answers whether it could. The default opens it with the
    // desktop's handler for its scheme.
    using UrlOpener = std::function<bool(const QUrl&)>;

    explicit CHyperLink(QWidget* parent = nullptr, int id = 0);

    void SetURL(const QString& url);
    QString GetURL() const { return m_url; }
    void SetColours(const QColor& link, const QColor& visited, const QColor& hover);
    void SetUnderline(bool underline);
    // When on, the control takes the size of its text.
    void SetAutoSize(bool autoSize);
    void SetLinkCursor(const QCursor& cursor);
    void SetVisited(bool visited);
    bool GetVisited() const { return m_visited; }
    void SetInitFont(const QString& face, int pixelSize, int style = FontStyleRegular);

    // Opens the link and, when that worked, marks it visited.
    bool GotoURL();
    // Replaces how links are opened (for every link); an empty opener
    // restores the default.
    static void SetUrlOpener(UrlOpener opener);

    // The text drawn: the window text, or the link when there is none.
    QString DisplayText() const;
    QColor CurrentColour() const;

protected:
    void Draw(QPainter& p) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void TextChanged() override { FitToText(); }

private:
    void ApplyFont();
    void FitToText();

    QString m_url;
    QColor m_link = QColor(0, 0, 238);
    QColor m_visitedColour = QColor(85, 26, 139);
    QColor m_hoverColour = QColor(238, 0, 0);
    bool m_underline = true;
    bool m_autoSize = false;
    bool m_visited = false;
    bool m_hover = false;
    QString m_face;
    int m_size = 12;
    int m_style = FontStyleRegular;
    CCtrlGDIpString m_font;
};
