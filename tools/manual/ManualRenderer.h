// Turns a Markdown user guide into a printable A4 PDF.
#pragma once

#include <QString>

namespace kestrel::manual {

struct ManualOptions {
    QString fontFamily;     // face for the body text; empty keeps Qt's default
    double bodyPointSize = 10.5;
    QString title;          // PDF document title; empty takes the first heading
    double marginMm = 20.0; // page margin on every side
};

// Renders `markdown` to `pdfPath`. Returns an empty string on success,
// otherwise a message saying what went wrong.
QString RenderManual(const QString& markdown, const QString& pdfPath, const ManualOptions& options);

// Renders the same pages as PNG images "<pngPrefix>-<page>.png" at `dpi`,
// to look at the layout without a PDF viewer.
QString RenderPreview(const QString& markdown, const QString& pngPrefix, const ManualOptions& options,
                      int dpi = 100);

}  // namespace kestrel::manual
