// kestrel-gallery SKIN_FOLDER OUT_FOLDER [IMAGE_LIST]
// Loads a skin's pictures and renders every skinned control in each of its
// states to OUT_FOLDER/NAME.png, plus a contact sheet gallery.png, so the
// controls can be looked at without the viewer.
#include "Gallery.h"
#include "GallerySheet.h"

#include "skin/CUIImage.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: kestrel-gallery SKIN_FOLDER OUT_FOLDER [IMAGE_LIST]\n"
                             "  IMAGE_LIST defaults to imagelist.ini in SKIN_FOLDER\n");
        return 2;
    }
    // Pictures only: no screen needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString skinFolder = QString::fromLocal8Bit(argv[1]);
    const QString outFolder = QString::fromLocal8Bit(argv[2]);
    const QString list = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral("imagelist.ini");

    if (!QDir(skinFolder).exists()) {
        std::fprintf(stderr, "kestrel-gallery: no skin folder %s\n", argv[1]);
        return 1;
    }
    CUIImage skin;
    if (!skin.LoadImageFiles(skinFolder, QDir(skinFolder).filePath(list))) {
        std::fprintf(stderr, "kestrel-gallery: no [HD-png] pictures in %s\n", qPrintable(QDir(skinFolder).filePath(list)));
        return 1;
    }
    if (!QDir().mkpath(outFolder)) {
        std::fprintf(stderr, "kestrel-gallery: cannot create %s\n", argv[2]);
        return 1;
    }
    GallerySheet sheet(outFolder);
    gallery::RenderBackgrounds(sheet, skin);
    gallery::RenderButtons(sheet, skin);
    gallery::RenderButtonEx(sheet, skin);
    gallery::RenderSliders(sheet, skin);
    gallery::RenderSmallControls(sheet, skin);
    gallery::RenderLists(sheet, skin);
    const bool sheetOk = sheet.WriteSheet();
    skin.UnloadImageFiles();
    std::printf("kestrel-gallery: %d pictures written to %s\n", sheet.Written(), argv[2]);
    return sheet.Failed() == 0 && sheetOk ? 0 : 1;
}
