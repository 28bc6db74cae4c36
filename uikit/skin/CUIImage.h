// CUIImage: the pictures of a skin, loaded once from the image list and
// handed out by name.
//
// Image list file (INI), each entry name=file relative to the skin folder:
//   [HD-png]  pictures (QImage; PNG, JPEG, SVG ...)   -> GetImageFile
//   [HD-bmp]  bitmaps  (QPixmap, at their own size)   -> GetBitmapFile
//   [HD-icon] icons    (QIcon)                        -> GetIconFile
// The picture named "transparent" is the fallback for every picture name
// that is missing or whose file could not be read.
//
// Bitmaps and icons need a QGuiApplication; pictures do not.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include "skin/QStringHash.h"

#include <QString>

#include <memory>
#include <unordered_map>

class CUIImage {
public:
    CUIImage() = default;
    virtual ~CUIImage() = default;
    CUIImage(const CUIImage&) = delete;
    CUIImage& operator=(const CUIImage&) = delete;

    // Each loads every entry of its section from "<skinFolder>/<file>".
    // 1, or 0 when the section is empty or missing (nothing loaded then).
    // A file that cannot be read still leaves an entry (a null image,
    // pixmap or icon). A name loaded again replaces the earlier object.
    int LoadImageFiles(const QString& skinFolder, const QString& listFile);
    int LoadBitmapFiles(const QString& skinFolder, const QString& listFile);
    int LoadIconFiles(const QString& skinFolder, const QString& listFile);

    // The readable picture of that name, else the "transparent" picture,
    // else nullptr. Pointers stay valid until the matching Unload.
    const QImage* GetImageFile(const QString& name) const;
    // nullptr when the name is missing or its file could not be read.
    const QPixmap* GetBitmapFile(const QString& name) const;
    const QIcon* GetIconFile(const QString& name) const;

    void UnloadImageFiles();
    void UnloadBitmapFiles();
    void UnloadIconFiles();

private:
    template <typename T>
    using Map = std::unordered_map<QString, std::unique_ptr<T>, KQStringHash>;

    Map<QImage> m_images;
    Map<QPixmap> m_bitmaps;
    Map<QIcon> m_icons;
};
