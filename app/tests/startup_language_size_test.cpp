// Language-file discovery and choice, system language ids, size classes.
#include "startup/DialogSize.h"
#include "startup/LanguageCatalog.h"
#include "startup/SystemLanguage.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

void WriteLang(const QString& path, const char* id, const char* name)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(QByteArray("[Language Info]\nLanguageID=") + id + "\nLanguageName=" + name + "\n");
}

TEST(LanguageCatalogTest, FindsFilesInSubfoldersAndSkipsIdZero)
{
    QTemporaryDir dir;
    const QString root = dir.filePath("language");
    WriteLang(root + "/lang_ko.ini", "0x0412", "Korean");
    WriteLang(root + "/lang_zero.ini", "0", "Nothing");
    WriteLang(root + "/notlang.ini", "0x0407", "Ignored");
    WriteLang(root + "/b/lang_de.ini", "407", "Deutsch");
    WriteLang(root + "/a/deeper/lang_en.ini", "0x0409", "English");
    ASSERT_TRUE(QFile::link(root, root + "/a/loop"));  // a link back to the top

    LanguageCatalog cat;
    cat.FindLanguageFiles(root);
    ASSERT_EQ(cat.Count(), 3);
    EXPECT_EQ(cat.names, (QStringList{"Korean", "English", "Deutsch"}));  // files first, then folders in order
    EXPECT_EQ(cat.ids, (QList<quint16>{0x0412, 0x0409, 0x0407}));
    EXPECT_EQ(cat.folders[1], root + "/a/deeper");
    EXPECT_EQ(cat.paths[2], root + "/b/lang_de.ini");

    LanguageCatalog none;
    none.FindLanguageFiles(dir.filePath("missing"));
    EXPECT_EQ(none.Count(), 0);
    EXPECT_EQ(none.Choose(0, 0x0409), -1);
}

TEST(LanguageCatalogTest, ChoiceOrderIsStoredThenSystemThenUsEnglishThenFirst)
{
    LanguageCatalog cat;
    cat.paths = {"ko", "en", "de"};
    cat.ids = {0x0412, 0x0409, 0x0407};
    EXPECT_EQ(cat.Choose(0x0407, 0x0412), 2);  // stored choice
    EXPECT_EQ(cat.Choose(0, 0x0407), 2);       // 0: the system language
    EXPECT_EQ(cat.Choose(0x0411, 0x0407), 1);  // stored id unknown: US English
    EXPECT_EQ(cat.Choose(0, 0x0411), 1);
    cat.ids = {0x0412, 0x0809, 0x0407};
    EXPECT_EQ(cat.Choose(0, 0x0411), 0);  // no US English: the first found
    cat.paths = {"only"};
    cat.ids = {0x0412};
    EXPECT_EQ(cat.Choose(0x0407, 0x0407), 0);  // a single file is always chosen
}

TEST(SystemLanguageTest, LocalesMapToLanguageIds)
{
    EXPECT_EQ(kestrel::LanguageIdOf(QLocale(QLocale::English, QLocale::UnitedStates)), 0x0409);
    EXPECT_EQ(kestrel::LanguageIdOf(QLocale(QLocale::English, QLocale::UnitedKingdom)), 0x0809);
    EXPECT_EQ(kestrel::LanguageIdOf(QLocale(QLocale::German, QLocale::Germany)), 0x0407);
    EXPECT_EQ(kestrel::LanguageIdOf(QLocale(QLocale::Korean, QLocale::SouthKorea)), 0x0412);
    EXPECT_EQ(kestrel::LanguageIdOf(QLocale(QLocale::Chinese, QLocale::China)), 0x0804);
    EXPECT_EQ(kestrel::LanguageIdOf(QLocale(QLocale::Spanish, QLocale::Spain)), 0x0C0A);

    qputenv("LC_ALL", "de_DE.UTF-8");
    EXPECT_EQ(kestrel::SystemLanguageId(), 0x0407);
    qputenv("LC_ALL", "");
    qputenv("LC_MESSAGES", "ko_KR.UTF-8");
    EXPECT_EQ(kestrel::SystemLanguageId(), 0x0412);
    qunsetenv("LC_ALL");
    qunsetenv("LC_MESSAGES");
}

TEST(DialogSizeTest, LargestClassNeedsAStrictlyBiggerScreen)
{
    struct Case {
        QSize screen;
        int largest;
    } cases[] = {
        {{2560, 1440}, 4}, {{1921, 1081}, 4}, {{1920, 1080}, 3}, {{1920, 1200}, 3}, {{1761, 991}, 3},
        {{1760, 990}, 2},  {{1680, 1050}, 2}, {{1600, 900}, 1},  {{1440, 900}, 0},  {{1366, 768}, 0},
        {{800, 800}, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(kestrel::LargestClassFor(c.screen), c.largest) << c.screen.width() << "x" << c.screen.height();

    EXPECT_EQ(kestrel::ChooseSizeClass(4, {1920, 1080}), 3);  // lowered
    EXPECT_EQ(kestrel::ChooseSizeClass(2, {2560, 1440}), 2);  // kept
    EXPECT_EQ(kestrel::ChooseSizeClass(4, {1366, 768}), 0);

    EXPECT_EQ(kestrel::SizeOfClass(4), QSize(1920, 1080));
    EXPECT_EQ(kestrel::SizeOfClass(3), QSize(1760, 990));
    EXPECT_EQ(kestrel::SizeOfClass(2), QSize(1600, 900));
    EXPECT_EQ(kestrel::SizeOfClass(1), QSize(1440, 810));
    EXPECT_EQ(kestrel::SizeOfClass(0), QSize(1280, 720));
    EXPECT_EQ(kestrel::SizeOfClass(7), QSize(1280, 720));
    EXPECT_EQ(kestrel::SizeOfClass(-1), QSize(1280, 720));
}

}  // namespace
