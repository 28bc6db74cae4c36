// Language file loading: entry parsing, section precedence, language ids
// and the on-demand setup section.
#include "skin/CUIText.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

class UITextTest : public ::testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        return path;
    }
    QTemporaryDir dir;
};

TEST(UITextParse, MainEntrySplitsAtTheFirstComma)
{
    QString key, text;
    int size = -9;
    CUIText::ParseMainEntry(QStringLiteral("btn_open=12,Open, Save"), key, size, text);
    EXPECT_EQ(key, QStringLiteral("btn_open"));
    EXPECT_EQ(size, 12);
    EXPECT_EQ(text, QStringLiteral("Open, Save"));

    CUIText::ParseMainEntry(QStringLiteral("plain=just text"), key, size, text);
    EXPECT_EQ(size, 0);
    EXPECT_EQ(text, QStringLiteral("just text"));

    CUIText::ParseMainEntry(QStringLiteral("no equals,sign"), key, size, text);
    EXPECT_EQ(key, QString());
    EXPECT_EQ(text, QStringLiteral("sign"));

    CUIText::ParseMainEntry(QStringLiteral("k=x7,y"), key, size, text);
    EXPECT_EQ(size, 0);  // no leading digits
    CUIText::ParseMainEntry(QStringLiteral("k=-3,neg"), key, size, text);
    EXPECT_EQ(size, -3);
}

TEST(UITextParse, LanguageIdForms)
{
    EXPECT_EQ(CUIText::ParseLangID(QStringLiteral("412")), 0x0412);
    EXPECT_EQ(CUIText::ParseLangID(QStringLiteral("0x412")), 0x0412);
    EXPECT_EQ(CUIText::ParseLangID(QStringLiteral("0X0409")), 0x0409);
    EXPECT_EQ(CUIText::ParseLangID(QStringLiteral("0x04aF")), 0x04AF);
    EXPECT_EQ(CUIText::ParseLangID(QStringLiteral("0x4G2")), 0xFFFF);
    EXPECT_EQ(CUIText::ParseLangID(QStringLiteral("04 09")), 0xFFFF);
    EXPECT_EQ(CUIText::ParseLangID(QString()), 0);
    EXPECT_EQ(CUIText::ParseLangID(QStringLiteral("0x")), 0);
    EXPECT_EQ(CUIText::ParseLangID(QStringLiteral("0x123456789")), 0x6789);  // only 16 bits kept
}

TEST_F(UITextTest, LoadsTheThreeSectionsLaterOnesWinning)
{
    const QString path = Write("lang_en.ini",
                               "[Language Info]\nLanguageID=0x0409\nLanguageName=English\nMap=tiles.example\n"
                               "[Font Info]\nFontName=DejaVu Sans\n"
                               "[AppMain]\nshared=10,main\nBtn=11,upper\nbtn=12,lower\nonly_main=13,M, with comma\n"
                               "[AppPopup]\nshared=14,popup\ncommon_ok=12,OK\n"
                               "[AppViewerSetup]\nvs_title=14,Settings\n"
                               "[AppSetup]\nsetup_key=9,ignored by the main load\n");
    CUIText t;
    EXPECT_EQ(t.LoadTextMain(path), 1);
    EXPECT_EQ(t.GetTextMain(QStringLiteral("shared")), QStringLiteral("popup"));
    EXPECT_EQ(t.GetFontSizeMain(QStringLiteral("shared")), 14);
    EXPECT_EQ(t.GetTextMain(QStringLiteral("Btn")), QStringLiteral("upper"));  // keys are case-sensitive
    EXPECT_EQ(t.GetTextMain(QStringLiteral("btn")), QStringLiteral("lower"));
    EXPECT_EQ(t.GetTextMain(QStringLiteral("BTN")), QString());
    EXPECT_EQ(t.GetTextMain(QStringLiteral("only_main")), QStringLiteral("M, with comma"));
    EXPECT_EQ(t.GetFontSizeMain(QStringLiteral("vs_title")), 14);
    EXPECT_EQ(t.GetTextMain(QStringLiteral("setup_key")), QString());

    QString text = QStringLiteral("untouched");
    int size = -5;
    EXPECT_EQ(t.GetFontSizeMain(QStringLiteral("missing")), -1);
    EXPECT_EQ(t.GetFontAndTextMain(QStringLiteral("missing"), text), -1);
    EXPECT_EQ(t.GetFontAndTextMain2(QStringLiteral("missing"), text, size), 0);
    EXPECT_EQ(text, QStringLiteral("untouched"));
    EXPECT_EQ(t.GetFontAndTextMain(QStringLiteral("common_ok"), text), 12);
    EXPECT_EQ(text, QStringLiteral("OK"));
    EXPECT_EQ(t.GetFontAndTextMain2(QStringLiteral("vs_title"), text, size), 1);
    EXPECT_EQ(size, 14);

    EXPECT_EQ(CUIText::GetLangID(path), 0x0409);
    EXPECT_EQ(CUIText::GetLangName(path), QStringLiteral("English"));
    EXPECT_EQ(CUIText::GetMapInfo(path), QStringLiteral("tiles.example"));
    EXPECT_EQ(CUIText::GetFontName(path), QStringLiteral("DejaVu Sans"));

    // A missing file keeps what is loaded; unloading empties.
    EXPECT_EQ(t.LoadTextMain(dir.filePath("absent.ini")), 1);
    EXPECT_EQ(t.GetTextMain(QStringLiteral("common_ok")), QStringLiteral("OK"));
    EXPECT_EQ(CUIText::GetLangID(dir.filePath("absent.ini")), 0);
    t.UnloadTextMain();
    EXPECT_EQ(t.GetFontSizeMain(QStringLiteral("common_ok")), -1);
}

TEST_F(UITextTest, SetupEntriesTakeTheLastTokenAndAreCached)
{
    const QString path = Write("setup.ini",
                               "[AppSetup]\nopen=12,Open, Save\nneg=-1,hidden\nsizeonly=7\ngaps=8,,a,,b\nempty=\n");
    CUIText t;
    EXPECT_EQ(t.GetFontSizeSetup(path, QStringLiteral("open")), 12);
    EXPECT_EQ(t.GetTextSetup(path, QStringLiteral("open")), QStringLiteral(" Save"));
    EXPECT_EQ(t.GetTextSetup(path, QStringLiteral("sizeonly")), QString());
    EXPECT_EQ(t.GetFontSizeSetup(path, QStringLiteral("sizeonly")), 7);
    EXPECT_EQ(t.GetTextSetup(path, QStringLiteral("gaps")), QStringLiteral("b"));
    EXPECT_EQ(t.GetFontSizeSetup(path, QStringLiteral("neg")), -1);
    EXPECT_EQ(t.GetTextSetup(path, QStringLiteral("neg")), QString());
    EXPECT_EQ(t.GetFontSizeSetup(path, QStringLiteral("empty")), -1);
    EXPECT_EQ(t.GetFontSizeSetup(path, QStringLiteral("missing")), -1);

    // Cached entries answer from memory; uncached ones are read again.
    Write("setup.ini", "[AppSetup]\nopen=20,Changed\nneg=5,shown\n");
    EXPECT_EQ(t.GetFontSizeSetup(path, QStringLiteral("open")), 12);
    EXPECT_EQ(t.GetTextSetup(path, QStringLiteral("neg")), QStringLiteral("shown"));
    t.UnloadTextSetup();
    EXPECT_EQ(t.GetTextSetup(path, QStringLiteral("open")), QStringLiteral("Changed"));
}

}  // namespace
