// The look-up object: the plug-in answers first only where its description
// says it supplies, its empty or "NULL" texts and negative font sizes fall
// back to the language file, and a language change reloads in place.
#include "skin/CUIResources.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QHash>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>

namespace {

class FakePlugin : public CUIResources::IPluginSource {
public:
    bool SuppliesSkin() const override { return skin; }
    bool SuppliesTexts() const override { return texts; }
    void Ask(Asset asset, const QString& key) const override
    {
        static const char* const kNames[] = {"pos", "image", "bitmap", "icon"};
        asked << QStringLiteral("%1:%2").arg(QLatin1String(kNames[int(asset)]), key);
    }
    int FontSize(const QString& key) const override { return sizes.value(key, -1); }
    QString Text(const QString& key) const override { return textOf.value(key); }

    bool skin = false;
    bool texts = false;
    QHash<QString, int> sizes;
    QHash<QString, QString> textOf;
    mutable QStringList asked;
};

class ResourcesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QImage pixel(1, 1, QImage::Format_ARGB32);
        pixel.fill(Qt::red);
        ASSERT_TRUE(pixel.save(dir.filePath("p.png")));
        Write("ImageList.ini", "[HD-png]\ntransparent=p.png\nbase_window=p.png\n"
                               "[HD-bmp]\nlogo=p.png\n[HD-icon]\nmain-icon=p.png\n");
        Write("Coordinate.ini", "[popup_dlg]\nx=1\ny=2\ncx=300\ncy=200\n");
        Write("lang_en.ini", "[Language Info]\nLanguageID=0x0409\nMap=en-map\n[Font Info]\nFontName=Latin Sans\n"
                             "[AppMain]\ncommon_ok=12,OK\ncommon_cancel=13,Cancel\n");
        Write("lang_ko.ini", "[Language Info]\nLanguageID=0x0412\nMap=ko-map\n[Font Info]\nFontName=Hangul Sans\n"
                             "[AppMain]\ncommon_ok=15,확인\n");
    }
    QString Write(const QString& name, const QByteArray& text)
    {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
        return f.fileName();
    }
    void LoadAll(CUIResources& res)
    {
        ASSERT_TRUE(res.LoadSkin(dir.path(), dir.filePath("ImageList.ini"), dir.filePath("Coordinate.ini")));
        res.LoadLanguage(dir.filePath("lang_en.ini"));
    }
    QTemporaryDir dir;
};

TEST_F(ResourcesTest, NothingLoadedAnswersNothing)
{
    const CUIResources res;
    EXPECT_TRUE(res.GetUIText(QStringLiteral("common_ok")).isEmpty());
    EXPECT_TRUE(res.GetUIMapInfo().isEmpty());
    ASSERT_NE(res.GetUIPos(QStringLiteral("popup_dlg")), nullptr);
    EXPECT_EQ(res.GetUIPos(QStringLiteral("popup_dlg"))->cx, 0);
    EXPECT_EQ(res.GetUIImage(QStringLiteral("base_window")), nullptr);
    EXPECT_EQ(res.GetUIBitmap(QStringLiteral("logo")), nullptr);
    EXPECT_EQ(res.GetUIIcon(QStringLiteral("main-icon")), nullptr);
    EXPECT_EQ(res.GetUIFontSize(QStringLiteral("common_ok")), -1);
    EXPECT_TRUE(res.FontName().isEmpty());
}

TEST_F(ResourcesTest, ViewerFilesAnswerWithoutAPlugin)
{
    CUIResources res;
    LoadAll(res);
    EXPECT_EQ(res.GetUIText(QStringLiteral("common_ok")), QStringLiteral("OK"));
    EXPECT_EQ(res.GetUIFontSize(QStringLiteral("common_cancel")), 13);
    EXPECT_EQ(res.GetUIPos(QStringLiteral("popup_dlg"))->cx, 300);
    ASSERT_NE(res.GetUIImage(QStringLiteral("base_window")), nullptr);
    EXPECT_NE(res.GetUIBitmap(QStringLiteral("logo")), nullptr);
    EXPECT_NE(res.GetUIIcon(QStringLiteral("main-icon")), nullptr);
    EXPECT_EQ(res.FontName(), QStringLiteral("Latin Sans"));
    EXPECT_EQ(res.GetUIMapInfo(), QStringLiteral("en-map"));

    res.Unload();
    EXPECT_TRUE(res.GetUIText(QStringLiteral("common_ok")).isEmpty());
    EXPECT_EQ(res.GetUIImage(QStringLiteral("base_window")), nullptr);
    EXPECT_TRUE(res.FontName().isEmpty());
}

TEST_F(ResourcesTest, ASkinWithoutIconsDoesNotLoad)
{
    Write("NoIcons.ini", "[HD-png]\ntransparent=p.png\n[HD-bmp]\nlogo=p.png\n");
    CUIResources res;
    EXPECT_FALSE(res.LoadSkin(dir.path(), dir.filePath("NoIcons.ini"), dir.filePath("Coordinate.ini")));
}

TEST_F(ResourcesTest, ALanguageChangeReloadsTextsFontAndMapInPlace)
{
    CUIResources res;
    LoadAll(res);
    res.LoadLanguage(dir.filePath("lang_ko.ini"));
    EXPECT_EQ(res.GetUIText(QStringLiteral("common_ok")), QStringLiteral("확인"));
    EXPECT_EQ(res.GetUIFontSize(QStringLiteral("common_ok")), 15);
    // Keys of the earlier language do not linger.
    EXPECT_TRUE(res.GetUIText(QStringLiteral("common_cancel")).isEmpty());
    EXPECT_EQ(res.FontName(), QStringLiteral("Hangul Sans"));
    EXPECT_EQ(res.GetUIMapInfo(), QStringLiteral("ko-map"));
}

TEST_F(ResourcesTest, PluginTextsComeFirstUnlessEmptyOrNull)
{
    CUIResources res;
    LoadAll(res);
    FakePlugin plugin;
    plugin.textOf = {{QStringLiteral("common_ok"), QStringLiteral("Plug OK")},
                     {QStringLiteral("common_cancel"), QStringLiteral("NULL")}};
    res.SetPluginSource(&plugin);

    // Texts are asked only when the plug-in says it supplies them.
    EXPECT_EQ(res.GetUIText(QStringLiteral("common_ok")), QStringLiteral("OK"));
    plugin.texts = true;
    EXPECT_EQ(res.GetUIText(QStringLiteral("common_ok")), QStringLiteral("Plug OK"));
    EXPECT_EQ(res.GetUIText(QStringLiteral("common_cancel")), QStringLiteral("Cancel"));
    EXPECT_TRUE(res.GetUIText(QStringLiteral("nowhere")).isEmpty());
    // Supplying texts does not make the plug-in a skin source.
    EXPECT_EQ(res.GetUIPos(QStringLiteral("popup_dlg"))->cx, 300);
    EXPECT_TRUE(plugin.asked.isEmpty());
}

TEST_F(ResourcesTest, APluginWithSkinIsAskedFirstAndTheViewerFilesGiveTheObjects)
{
    CUIResources res;
    LoadAll(res);
    FakePlugin plugin;
    plugin.sizes = {{QStringLiteral("common_ok"), 30}, {QStringLiteral("zero"), 0}};
    res.SetPluginSource(&plugin);

    EXPECT_EQ(res.GetUIFontSize(QStringLiteral("common_ok")), 12);
    res.GetUIPos(QStringLiteral("popup_dlg"));
    EXPECT_TRUE(plugin.asked.isEmpty());

    plugin.skin = true;
    EXPECT_EQ(res.GetUIPos(QStringLiteral("popup_dlg"))->cx, 300);
    EXPECT_NE(res.GetUIImage(QStringLiteral("base_window")), nullptr);
    EXPECT_NE(res.GetUIBitmap(QStringLiteral("logo")), nullptr);
    EXPECT_NE(res.GetUIIcon(QStringLiteral("main-icon")), nullptr);
    EXPECT_EQ(plugin.asked, (QStringList{"pos:popup_dlg", "image:base_window", "bitmap:logo", "icon:main-icon"}));

    // A plug-in size of 0 or more wins; a negative one falls back.
    EXPECT_EQ(res.GetUIFontSize(QStringLiteral("common_ok")), 30);
    EXPECT_EQ(res.GetUIFontSize(QStringLiteral("zero")), 0);
    EXPECT_EQ(res.GetUIFontSize(QStringLiteral("common_cancel")), 13);

    res.SetPluginSource(nullptr);
    EXPECT_EQ(res.GetUIFontSize(QStringLiteral("common_ok")), 12);
}

}  // namespace
