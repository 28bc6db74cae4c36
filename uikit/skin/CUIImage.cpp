#include "skin/CUIImage.h"

#include "ini/CIniFile.h"

#include <QImageReader>

namespace {

// name -> full path for every entry of the section; empty when the section
// is missing or holds no entry.
template <typename Fn>
int ForEachEntry(const QString& skinFolder, const QString& listFile, const wchar_t* section, Fn fn)
{
    const CIniFile ini = CIniFile::Load(listFile.toStdWString());
    const std::vector<std::wstring> lines = ini.GetSectionLines(section);
    if (lines.empty())
        return 0;
    for (const std::wstring& l : lines) {
        const QString line = QString::fromStdWString(l);
        const qsizetype eq = line.indexOf(u'=');
        const QString name = eq < 0 ? QString() : line.left(eq);
        const QString file = eq < 0 ? line : line.mid(eq + 1);
        fn(name, skinFolder + u'/' + file);
    }
    return 1;
}

}  // namespace

int CUIImage::LoadImageFiles(const QString& skinFolder, const QString& listFile)
{
    return ForEachEntry(skinFolder, listFile, L"HD-png", [this](const QString& name, const QString& path) {
        m_images[name] = std::make_unique<QImage>(path);
    });
}

int CUIImage::LoadBitmapFiles(const QString& skinFolder, const QString& listFile)
{
    return ForEachEntry(skinFolder, listFile, L"HD-bmp", [this](const QString& name, const QString& path) {
        m_bitmaps[name] = std::make_unique<QPixmap>(path);
    });
}

int CUIImage::LoadIconFiles(const QString& skinFolder, const QString& listFile)
{
    return ForEachEntry(skinFolder, listFile, L"HD-icon", [this](const QString& name, const QString& path) {
        // QIcon loads lazily and is never null for a path; read the file now
        // so that an unreadable one gives a null icon.
        const QPixmap pixmap(path);
        m_icons[name] = std::make_unique<QIcon>(pixmap.isNull() ? QIcon() : QIcon(path));
    });
}

const QImage* CUIImage::GetImageFile(const QString& name) const
{
    if (const auto it = m_images.find(name); it != m_images.end() && !it->second->isNull())
        return it->second.get();
    if (const auto it = m_images.find(QStringLiteral("transparent")); it != m_images.end() && !it->second->isNull())
        return it->second.get();
    return nullptr;
}

const QPixmap* CUIImage::GetBitmapFile(const QString& name) const
{
    const auto it = m_bitmaps.find(name);
    return it != m_bitmaps.end() && !it->second->isNull() ? it->second.get() : nullptr;
}

const QIcon* CUIImage::GetIconFile(const QString& name) const
{
    const auto it = m_icons.find(name);
    return it != m_icons.end() && !it->second->isNull() ? it->second.get() : nullptr;
}

void CUIImage::UnloadImageFiles()
{
    m_images.clear();
}

void CUIImage::UnloadBitmapFiles()
{
    m_bitmaps.clear();
}

void CUIImage::UnloadIconFiles()
{
    m_icons.clear();
}
