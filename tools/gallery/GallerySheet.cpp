#include "GallerySheet.h"

#include <QDir>
#include <QPainter>
#include <algorithm>
#include <cstdio>

void GallerySheet::Section(const QString& title) { m_rows.push_back({title, {}}); }

bool GallerySheet::Add(const QString& name, const QImage& img) {
    if (m_rows.empty()) Section(QString());
    m_rows.back().entries.push_back({name, img});
    const QString path = QDir(m_out).filePath(name + ".png");
    if (img.isNull() || !img.save(path, "PNG")) {
        std::fprintf(stderr, "kestrel-gallery: cannot write %s\n", qPrintable(path));
        ++m_failed;
        return false;
    }
    ++m_written;
    return true;
}

bool GallerySheet::WriteSheet() const {
    constexpr int kPad = 10, kLabel = 14, kTitle = 20;
    QFont font("sans-serif");
    font.setPixelSize(11);
    QFont bold = font;
    bold.setBold(true);
    bold.setPixelSize(13);
    int width = 0, height = kPad;
    for (const Row& row : m_rows) {
        int w = kPad, h = 0;
        for (const Entry& e : row.entries) {
            w += std::max(e.img.width(), 90) + kPad;
            h = std::max(h, e.img.height());
        }
        width = std::max(width, w);
        height += kTitle + h + kLabel + kPad;
    }
    QImage sheet(std::max(width, 200), height, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(96, 96, 104));
    QPainter p(&sheet);
    int y = kPad;
    for (const Row& row : m_rows) {
        p.setFont(bold);
        p.setPen(Qt::white);
        p.drawText(QRect(kPad, y, sheet.width(), kTitle), Qt::AlignLeft | Qt::AlignVCenter, row.title);
        y += kTitle;
        int x = kPad, h = 0;
        p.setFont(font);
        for (const Entry& e : row.entries) {
            // A checkerboard behind each picture makes transparent parts visible.
            const QRect area(x, y, e.img.width(), e.img.height());
            for (int cy = area.top(); cy <= area.bottom(); cy += 8)
                for (int cx = area.left(); cx <= area.right(); cx += 8)
                    p.fillRect(QRect(cx, cy, 8, 8).intersected(area),
                               ((cx - area.left()) / 8 + (cy - area.top()) / 8) % 2 ? QColor(200, 200, 200) : QColor(240, 240, 240));
            p.drawImage(area.topLeft(), e.img);
            p.setPen(QColor(230, 230, 230));
            p.drawText(QRect(x, y + e.img.height(), std::max(e.img.width(), 90), kLabel),
                       Qt::AlignLeft | Qt::AlignVCenter, e.name);
            x += std::max(e.img.width(), 90) + kPad;
            h = std::max(h, e.img.height());
        }
        y += h + kLabel + kPad;
    }
    p.end();
    return sheet.save(QDir(m_out).filePath("gallery.png"), "PNG");
}
