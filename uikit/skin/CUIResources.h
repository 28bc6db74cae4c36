// CUIResources: the skin and language look-ups every window uses: texts,
// window records, pictures, bitmaps, icons, font sizes and the font face.
//
// The recording plug-in is asked first when its description says it
// supplies skin resources (records, pictures, font sizes) or texts; the
// viewer's own loaders (language file, coordinate file, image list) answer
// otherwise. A plug-in text that is empty or "NULL" falls back to the
// language file; a plug-in font size below 0 falls back to the skin.
//
// The application fills one object at start-up and hands it to every window
// it builds; windows only read it. A language change reloads the texts in
// place, so the windows see the new language through the same object. An
// object with nothing loaded answers "nothing": empty texts, the all-zero
// record, no pictures, font size -1. User-interface thread only.
#pragma once

#include "skin/CUICoordi.h"
#include "skin/CUIImage.h"
#include "skin/CUIText.h"

#include <QString>

class CUIResources {
public:
    // The plug-in's side of the look-ups. Its skin calls answer numbers, not
    // objects: they are made (the plug-in may track or prepare what is asked
    // for) and the viewer's loaders then give the object.
    class IPluginSource {
    public:
        enum class Asset { Pos, Image, Bitmap, Icon };

        virtual ~IPluginSource() = default;
        virtual bool SuppliesSkin() const = 0;
        virtual bool SuppliesTexts() const = 0;
        virtual void Ask(Asset asset, const QString& key) const = 0;
        // -1 when the plug-in has no size for the key.
        virtual int FontSize(const QString& key) const = 0;
        // Empty or "NULL" when the plug-in has no text for the key.
        virtual QString Text(const QString& key) const = 0;
    };

    CUIResources() = default;
    CUIResources(const CUIResources&) = delete;
    CUIResources& operator=(const CUIResources&) = delete;

    // Not owned; null (the default) when no plug-in takes part.
    void SetPluginSource(const IPluginSource* source) { m_plugin = source; }

    // Pictures, bitmaps and icons of the image list in `skinFolder`, then
    // the window records of `coordinateFile`. False when one of the three
    // picture sections is empty or missing; the records are optional.
    bool LoadSkin(const QString& skinFolder, const QString& imageList, const QString& coordinateFile);
    // Texts and font sizes of a language file, its font face, and the file
    // itself for the map information.
    void LoadLanguage(const QString& languageFile);
    // Releases everything loaded; the look-ups then answer "nothing".
    void Unload();

    QString GetUIText(const QString& key) const;
    // The map information of the loaded language file (empty without one).
    QString GetUIMapInfo() const;
    // Never null: a key without a record answers the all-zero record.
    const _WIN_POS* GetUIPos(const QString& key) const;
    const QImage* GetUIImage(const QString& key) const;
    const QPixmap* GetUIBitmap(const QString& key) const;
    const QIcon* GetUIIcon(const QString& key) const;
    // -1 when neither the plug-in nor the language file has a size.
    int GetUIFontSize(const QString& key) const;
    const QString& FontName() const { return m_strFontName; }
    const QString& LanguageFile() const { return m_strLanguageFile; }

private:
    bool AskPluginSkin(IPluginSource::Asset asset, const QString& key) const;

    const IPluginSource* m_plugin = nullptr;
    CUIText m_text;
    CUICoordi m_coordi;
    CUIImage m_image;
    QString m_strFontName;
    QString m_strLanguageFile;
};
