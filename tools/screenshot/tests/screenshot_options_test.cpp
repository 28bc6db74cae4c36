// The command line of kestrel-screenshot.
#include "ScreenshotOptions.h"

#include <gtest/gtest.h>

namespace {

using namespace kestrel::screenshot;

TEST(ScreenshotOptionsTest, SizesAreTheFiveWindowClasses)
{
    EXPECT_EQ(ParseSizeClass(QStringLiteral("1280x720")), 0);
    EXPECT_EQ(ParseSizeClass(QStringLiteral("1440x810")), 1);
    EXPECT_EQ(ParseSizeClass(QStringLiteral("1600x900")), 2);
    EXPECT_EQ(ParseSizeClass(QStringLiteral("1760x990")), 3);
    EXPECT_EQ(ParseSizeClass(QStringLiteral("1920x1080")), 4);
    EXPECT_EQ(ParseSizeClass(QStringLiteral("1920x1200")), -1);
    EXPECT_EQ(ParseSizeClass(QStringLiteral("1280")), -1);
}

TEST(ScreenshotOptionsTest, LanguagesByNameOrNumber)
{
    EXPECT_EQ(ParseLanguage(QStringLiteral("en")), 0x0409);
    EXPECT_EQ(ParseLanguage(QStringLiteral("KO")), 0x0412);
    EXPECT_EQ(ParseLanguage(QStringLiteral("de")), 0x0407);
    EXPECT_EQ(ParseLanguage(QStringLiteral("0x0412")), 0x0412);
    EXPECT_EQ(ParseLanguage(QStringLiteral("1031")), 0x0407);
    EXPECT_EQ(ParseLanguage(QStringLiteral("0x10000")), -1);
    EXPECT_EQ(ParseLanguage(QStringLiteral("0")), -1);
    EXPECT_EQ(ParseLanguage(QStringLiteral("fr")), -1);
}

TEST(ScreenshotOptionsTest, ReadsEveryOption)
{
    Options o;
    QString error;
    ASSERT_TRUE(ParseArguments({"--app", "/opt/k", "--size", "1600x900", "--lang", "ko", "--card", "/media/c",
                                "--play", "2", "--full", "--wait", "2500", "-o", "shot.png"},
                               o, error))
        << error.toStdString();
    EXPECT_EQ(o.appFolder, QStringLiteral("/opt/k"));
    EXPECT_EQ(o.sizeClass, 2);
    EXPECT_EQ(o.size, QSize(1600, 900));
    EXPECT_EQ(o.languageId, 0x0412);
    EXPECT_EQ(o.card, QStringLiteral("/media/c"));
    EXPECT_EQ(o.playRow, 2);
    EXPECT_TRUE(o.fullScreen);
    EXPECT_EQ(o.waitMs, 2500);
    EXPECT_EQ(o.output, QStringLiteral("shot.png"));
}

TEST(ScreenshotOptionsTest, RejectsWhatItDoesNotUnderstand)
{
    const QList<QStringList> bad = {
        {},                                     // no output
        {"--size", "1280x720"},                 // no output
        {"-o"},                                 // output without a value
        {"-o", "a.png", "--size", "800x600"},   // not a window class
        {"-o", "a.png", "--lang", "xx"},
        {"-o", "a.png", "--wait", "-5"},
        {"-o", "a.png", "--wait", "soon"},
        {"-o", "a.png", "--colour", "red"},
        {"-o", "a.png", "--play", "1"},                     // a row needs a card
        {"-o", "a.png", "--card", "/c", "--play", "-1"},
        {"-o", "a.png", "--card", "/c", "--play", "first"},
    };
    for (const QStringList& args : bad) {
        Options o;
        QString error;
        EXPECT_FALSE(ParseArguments(args, o, error)) << args.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
    Options o;
    QString error;
    EXPECT_TRUE(ParseArguments({"--help"}, o, error));
    EXPECT_TRUE(o.help);
}

}  // namespace
