// kestrel-manual: renders a Markdown user guide to an A4 PDF, so every
// language folder of the viewer carries a manual that F1 can open.
//
//   kestrel-manual [--font FAMILY] [--title TEXT] [--preview PREFIX] SOURCE.md OUTPUT.pdf
//
// --preview also writes each page as PREFIX-<n>.png, to check the layout
// on a machine without a PDF viewer.
// Exit status 0 on success, 1 on a bad command line or unreadable source,
// 2 when the PDF cannot be written.
#include "ManualRenderer.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    // Fonts need a GUI application; no window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Renders a Markdown user guide to an A4 PDF."));
    parser.addHelpOption();
    const QCommandLineOption fontOption(QStringLiteral("font"), QStringLiteral("Font family of the text."),
                                        QStringLiteral("family"));
    const QCommandLineOption titleOption(QStringLiteral("title"), QStringLiteral("Document title."),
                                         QStringLiteral("text"));
    const QCommandLineOption previewOption(QStringLiteral("preview"),
                                           QStringLiteral("Also write each page as PREFIX-<n>.png."),
                                           QStringLiteral("prefix"));
    parser.addOption(fontOption);
    parser.addOption(titleOption);
    parser.addOption(previewOption);
    parser.addPositionalArgument(QStringLiteral("source"), QStringLiteral("Markdown file."));
    parser.addPositionalArgument(QStringLiteral("output"), QStringLiteral("PDF file to write."));
    parser.process(app);

    const QStringList args = parser.positionalArguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "kestrel-manual: expected SOURCE.md OUTPUT.pdf\n");
        return 1;
    }

    QFile source(args[0]);
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "kestrel-manual: cannot read %s\n", qPrintable(args[0]));
        return 1;
    }
    const QString markdown = QString::fromUtf8(source.readAll());

    kestrel::manual::ManualOptions options;
    options.fontFamily = parser.value(fontOption);
    options.title = parser.value(titleOption);
    // A missing face would silently fall back and may lose whole scripts
    // (Korean shows as empty boxes), so say so loudly.
    if (!options.fontFamily.isEmpty() && !QFontDatabase::hasFamily(options.fontFamily))
        std::fprintf(stderr, "kestrel-manual: warning: font \"%s\" is not installed\n",
                     qPrintable(options.fontFamily));

    QString error = kestrel::manual::RenderManual(markdown, args[1], options);
    if (error.isEmpty() && parser.isSet(previewOption))
        error = kestrel::manual::RenderPreview(markdown, parser.value(previewOption), options);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "kestrel-manual: %s\n", qPrintable(error));
        return 2;
    }
    return 0;
}
