#include "ManualRenderer.h"

#include <QFile>
#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QAbstractTextDocumentLayout>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>


namespace kestrel::manual {
namespace {

// Markdown tables come out borderless; a key table is easier to read with
// thin rules, padded cells and a shaded header row. Lengths are in points;
// `px` converts them to layout pixels.
void StyleTables(QTextDocument& doc, double px)
{
    for (QTextFrame* frame : doc.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (!table)
            continue;
        QTextTableFormat format = table->format();
        format.setBorder(0.6 * px);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderBrush(QColor(150, 150, 150));
        format.setBorderCollapse(false);
        format.setCellPadding(3 * px);
        format.setCellSpacing(0);
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        format.setHeaderRowCount(1);  // repeated when a table runs onto the next page
        format.setTopMargin(4 * px);
        format.setBottomMargin(8 * px);
        table->setFormat(format);
        for (int column = 0; column < table->columns(); ++column) {
            QTextTableCell cell = table->cellAt(0, column);
            QTextTableCellFormat cellFormat = cell.format().toTableCellFormat();
            cellFormat.setBackground(QColor(228, 234, 242));
            cell.setFormat(cellFormat);
        }
    }
}

// Headings get a little air above them and a colour of their own; body
// paragraphs a small gap below (lengths in points, as above).
void StyleBlocks(QTextDocument& doc, double px)
{
    QTextCursor cursor(&doc);
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        cursor.setPosition(block.position());
        QTextBlockFormat format = block.blockFormat();
        const int level = format.headingLevel();
        if (level > 0) {
            format.setTopMargin(level == 1 ? 0 : 12 * px);
            format.setBottomMargin(5 * px);
            format.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
            cursor.setBlockFormat(format);
            cursor.select(QTextCursor::BlockUnderCursor);
            QTextCharFormat chars;
            chars.setForeground(QColor(31, 58, 96));
            cursor.mergeCharFormat(chars);
            cursor.clearSelection();
        } else if (!cursor.currentTable()) {
            format.setBottomMargin(4 * px);
            cursor.setBlockFormat(format);
        }
    }
}

QString FirstHeading(const QString& markdown)
{
    static const QRegularExpression heading(QStringLiteral("^#\\s+(.+)$"),
                                            QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = heading.match(markdown);
    return match.hasMatch() ? match.captured(1).trimmed() : QString();
}

// The document laid out for one paint device: A4 sheet, margins kept by the
// painter, page number centred in the bottom margin.
class ManualPages {
public:
    ManualPages(const QString& markdown, const ManualOptions& options, QPaintDevice& device, double dpi)
        : m_margin(options.marginMm / 25.4 * dpi)
    {
        const QSizeF a4 = QPageSize(QPageSize::A4).size(QPageSize::Inch);
        m_sheet = QSizeF(a4.width() * dpi, a4.height() * dpi);
        m_body = QSizeF(m_sheet.width() - 2 * m_margin, m_sheet.height() - 2 * m_margin);

        QFont font = m_doc.defaultFont();
        if (!options.fontFamily.isEmpty())
            font.setFamilies({options.fontFamily});
        font.setPointSizeF(options.bodyPointSize);
        // Lay the text out for the device itself, so point sizes are
        // measured at its resolution and print as written.
        m_doc.documentLayout()->setPaintDevice(&device);
        m_doc.setDefaultFont(font);
        m_doc.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
        // Frame and block lengths are layout pixels of 1/96 inch, which the
        // layout scales to the device itself.
        constexpr double kPixelsPerPoint = 96.0 / 72.0;
        StyleBlocks(m_doc, kPixelsPerPoint);
        StyleTables(m_doc, kPixelsPerPoint);
        m_doc.setDocumentMargin(0);
        m_doc.setPageSize(m_body);

        m_footerFont = QFont(font, &device);
        m_footerFont.setPointSizeF(8.5);
    }

    int Count() const { return m_doc.pageCount(); }

    void Paint(QPainter& painter, int page) const
    {
        painter.save();
        painter.translate(m_margin, m_margin - page * m_body.height());
        m_doc.drawContents(&painter, QRectF(QPointF(0, page * m_body.height()), m_body));
        painter.restore();

        painter.save();
        painter.setFont(m_footerFont);
        painter.setPen(QColor(110, 110, 110));
        const QRectF footer(m_margin, m_sheet.height() - m_margin * 0.75, m_body.width(), m_margin * 0.5);
        painter.drawText(footer, Qt::AlignHCenter | Qt::AlignVCenter,
                         QStringLiteral("%1 / %2").arg(page + 1).arg(Count()));
        painter.restore();
    }

    QSize SheetPixels() const { return m_sheet.toSize(); }

private:
    mutable QTextDocument m_doc;  // drawContents is not const
    double m_margin;
    QSizeF m_sheet;
    QSizeF m_body;
    QFont m_footerFont;
};

}  // namespace

QString RenderManual(const QString& markdown, const QString& pdfPath, const ManualOptions& options)
{
    if (markdown.trimmed().isEmpty())
        return QStringLiteral("the manual source is empty");

    // Write to a temporary name first so a failed run never leaves a
    // half-written manual where the viewer would open it.
    const QString partial = pdfPath + QStringLiteral(".part");
    {
        QPdfWriter writer(partial);
        writer.setCreator(QStringLiteral("Kestrel"));
        writer.setTitle(options.title.isEmpty() ? FirstHeading(markdown) : options.title);
        writer.setResolution(300);
        // The writer paints the whole sheet; the margins are kept by the
        // painter, so the page number can sit inside the bottom margin.
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));

        const ManualPages pages(markdown, options, writer, writer.resolution());
        QPainter painter;
        if (!painter.begin(&writer))
            return QStringLiteral("cannot write %1").arg(partial);
        for (int page = 0; page < pages.Count(); ++page) {
            if (page > 0)
                writer.newPage();
            pages.Paint(painter, page);
        }
        if (!painter.end())
            return QStringLiteral("cannot finish %1").arg(partial);
    }

    QFile::remove(pdfPath);
    if (!QFile::rename(partial, pdfPath)) {
        QFile::remove(partial);
        return QStringLiteral("cannot move the manual to %1").arg(pdfPath);
    }
    return {};
}

QString RenderPreview(const QString& markdown, const QString& pngPrefix, const ManualOptions& options, int dpi)
{
    if (markdown.trimmed().isEmpty())
        return QStringLiteral("the manual source is empty");
    const int dotsPerMeter = qRound(dpi / 0.0254);
    QImage probe(1, 1, QImage::Format_RGB32);
    probe.setDotsPerMeterX(dotsPerMeter);
    probe.setDotsPerMeterY(dotsPerMeter);
    const ManualPages pages(markdown, options, probe, dpi);
    for (int page = 0; page < pages.Count(); ++page) {
        QImage image(pages.SheetPixels(), QImage::Format_RGB32);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        pages.Paint(painter, page);
        painter.end();
        const QString path = QStringLiteral("%1-%2.png").arg(pngPrefix).arg(page + 1);
        if (!image.save(path))
            return QStringLiteral("cannot write %1").arg(path);
    }
    return {};
}

}  // namespace kestrel::manual
