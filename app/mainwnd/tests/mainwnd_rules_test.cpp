// Placement rules, the key table and the small helpers of the main window,
// checked without a window.
#include "BrowserVersion.h"
#include "MainKeyTable.h"
#include "MainLayoutRules.h"
#include "MainWndIds.h"
#include "util/ReentryGuard.h"
#include "ShellActions.h"

#include "kestrel/KestrelTypes.h"

#include <QDir>
#include <QKeySequence>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

using namespace kestrel::mainwnd;

namespace {

const KSkinRect kRef{0, 0, 1920, 1080};

_WIN_POS Record(int x, int y, int cx, int cy)
{
    _WIN_POS pos;
    pos.x = x;
    pos.y = y;
    pos.cx = cx;
    pos.cy = cy;
    pos.rect = KSkinRect{x, y, x + cx, y + cy};
    return pos;
}

TEST(MainWndRules, LayoutNeedsAtLeast1280By720)
{
    EXPECT_TRUE(LayoutAllowed(1280, 720));
    EXPECT_FALSE(LayoutAllowed(1279, 1080));
    EXPECT_FALSE(LayoutAllowed(1920, 719));
}

TEST(MainWndRules, ListSitsBelowDisplay1OnlyWhenMaximised)
{
    _WIN_POS list = Record(0, 0, 500, 300);  // held 600 px from the top by its margin
    list.s2t = list.rectS2.top = 600;
    list.dt = 6;
    const _WIN_POS listFull = Record(1400, 0, 520, 1080);
    _WIN_POS display1 = Record(0, 100, 640, 400);  // bottom 500 at the reference size

    // Normal state: the list's own record.
    KSkinRect r = ListPanelRect(list, listFull, display1, kStateNormal, 1920, 1080, kRef);
    EXPECT_EQ(r.top, 600);
    EXPECT_EQ(r.bottom, 900);

    // Maximised at the reference size: top = display1's bottom + dt.
    r = ListPanelRect(list, listFull, display1, kStateMaximised, 1920, 1080, kRef);
    EXPECT_EQ(r.top, 506);
    EXPECT_EQ(r.bottom, 806);

    // Maximised and scaled down (s = 2/3): display1's bottom is 67 + 267 =
    // 334; the margin is taken back to skin units, trunc((334 + 6) / s) =
    // 510, and scaled again: 340.
    r = ListPanelRect(list, listFull, display1, kStateMaximised, 1280, 720, kRef);
    EXPECT_EQ(r.top, 340);
    EXPECT_EQ(r.bottom, 340 + 200);

    // display1 of Type 1 keeps the list in place.
    display1.type = 1;
    r = ListPanelRect(list, listFull, display1, kStateMaximised, 1920, 1080, kRef);
    EXPECT_EQ(r.top, 600);

    // Full screen from either state uses list_full.
    for (int state : {kStateFullFromMaximised, kStateFullFromNormal}) {
        r = ListPanelRect(list, listFull, display1, state, 1920, 1080, kRef);
        EXPECT_EQ(r.left, 1400);
        EXPECT_EQ(r.bottom, 1080);
    }
}

TEST(MainWndRules, CornerEllipseAndDisplaySlots)
{
    _WIN_POS base = Record(0, 0, 1920, 1080);
    base.dl = 12;
    base.dt = 9;
    EXPECT_EQ(CornerEllipse(base, 1.0), QSize(24, 18));
    EXPECT_EQ(CornerEllipse(base, 2.0 / 3.0), QSize(16, 12));

    _PLUGIN_INFO info{};
    EXPECT_EQ(DisplaySlotCount(info), 2);
    info.bVideoExtChannel = 1;
    info.nVideoExtChannel = 2;
    EXPECT_EQ(DisplaySlotCount(info), 4);
    info.nVideoExtChannel = 40;  // more than the window's panels
    EXPECT_EQ(DisplaySlotCount(info), 4);

    EXPECT_EQ(DisplaySlotOf(0, 1, 2), 1);
    EXPECT_EQ(DisplaySlotOf(1, 1, 2), 0);
    EXPECT_EQ(DisplaySlotOf(3, 2, 4), 1);
    EXPECT_EQ(DisplaySlotOf(1, 0, 0), 0);
}

// The rows of the manual's shortcut table ("| Key | Action |"): key names.
QStringList ManualShortcuts(const QString& language)
{
    QFile file(QStringLiteral(KESTREL_SOURCE_DIR "/docs/manual/%1.md").arg(language));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList keys;
    bool inTable = false;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QStringList cells = line.split(QLatin1Char('|'));
        if (!line.startsWith(QLatin1Char('|')) || cells.size() < 3) {
            inTable = false;
            continue;
        }
        const QString first = cells[1].trimmed();
        if (first == QLatin1String("Key") || first == QLatin1String("Taste") || first == QStringLiteral("키")) {
            inTable = true;
        } else if (inTable && !first.startsWith(QLatin1Char('-'))) {
            keys << first;
        }
    }
    return keys;
}

// A key as the English manual names it, as key and modifiers.
std::pair<int, Qt::KeyboardModifiers> KeyOfManualName(QString name)
{
    name.replace(QLatin1String("Page Down"), QLatin1String("PgDown"))
        .replace(QLatin1String("Page Up"), QLatin1String("PgUp"))
        .replace(QLatin1String("Enter"), QLatin1String("Return"))
        .replace(QLatin1String("Delete"), QLatin1String("Del"));
    const QKeySequence sequence = QKeySequence::fromString(name, QKeySequence::PortableText);
    if (sequence.count() != 1)
        return {0, Qt::NoModifier};
    return {sequence[0].key(), sequence[0].keyboardModifiers()};
}

TEST(MainWndKeyTable, TheManualListsEveryKeyAndEveryListedKeyWorks)
{
    const QStringList manual = ManualShortcuts(QStringLiteral("en"));
    ASSERT_GE(manual.size(), 20) << "the English manual's shortcut table";
    std::set<std::pair<int, int>> documented;
    for (const QString& name : manual) {
        const auto [key, mods] = KeyOfManualName(name);
        ASSERT_NE(key, 0) << "unreadable key name in the manual: " << name.toStdString();
        EXPECT_NE(CommandForKey(key, mods), 0) << "the manual lists a key that does nothing: " << name.toStdString();
        documented.insert({key, int(mods)});
    }
    for (const KeyBinding& b : MainKeyTable()) {
        // The keypad's Enter is the manual's Enter.
        const int key = b.key == Qt::Key_Enter ? int(Qt::Key_Return) : b.key;
        const int mods = int(b.modifiers & ~Qt::KeypadModifier);
        EXPECT_TRUE(documented.count({key, mods}))
            << "key missing from the manual: " << QKeySequence(b.key | b.modifiers).toString().toStdString();
    }
    // The translations list as many keys.
    EXPECT_EQ(ManualShortcuts(QStringLiteral("de")).size(), manual.size());
    EXPECT_EQ(ManualShortcuts(QStringLiteral("ko")).size(), manual.size());
}

TEST(MainWndKeyTable, ModifiersMustMatchAndNoKeyIsBoundTwice)
{
    // Other modifiers do not match: O alone, Shift+F1, Alt+F10.
    EXPECT_EQ(CommandForKey(Qt::Key_O, Qt::NoModifier), 0);
    EXPECT_EQ(CommandForKey(Qt::Key_F1, Qt::ShiftModifier), 0);
    EXPECT_EQ(CommandForKey(Qt::Key_F10, Qt::AltModifier), 0);

    // No key appears twice with the same modifiers.
    std::set<std::pair<int, int>> seen;
    for (const KeyBinding& b : MainKeyTable())
        EXPECT_TRUE(seen.insert({b.key, int(b.modifiers)}).second) << "key " << b.key;
}

TEST(MainWndHelpers, PopupGuardLetsOneCallRunAtATime)
{
    bool running = false;
    {
        KReentryGuard first(running);
        EXPECT_TRUE(first.Acquired());
        EXPECT_TRUE(running);
        {
            KReentryGuard second(running);
            EXPECT_FALSE(second.Acquired());
        }
        EXPECT_TRUE(running);  // the refused guard leaves the running call's mark alone
    }
    EXPECT_FALSE(running);
    KReentryGuard again(running);
    EXPECT_TRUE(again.Acquired());
}

TEST(MainWndHelpers, ManualIsTheFirstPdfByName)
{
    QTemporaryDir dir;
    EXPECT_TRUE(FindManualIn(dir.path()).isEmpty());
    for (const char* name : {"b_manual.pdf", "a_guide.pdf", "0_notes.txt"}) {
        QFile f(dir.path() + u'/' + QLatin1String(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QDir().mkpath(dir.path() + "/0_folder.pdf");  // a folder is no manual
    EXPECT_EQ(FindManualIn(dir.path()), dir.path() + "/a_guide.pdf");
    EXPECT_TRUE(FindManualIn(QString()).isEmpty());
    EXPECT_FALSE(StartDetachedProgram(QString()));
    EXPECT_FALSE(StartDetachedProgram(dir.path() + "/missing-program"));
}

TEST(MainWndHelpers, BrowserMajorVersionFromUserAgent)
{
    EXPECT_EQ(MajorVersionFromUserAgent(QStringLiteral(
                  "Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/537.36 (KHTML, like Gecko) "
                  "QtWebEngine/6.4.2 Chrome/102.0.5005.177 Safari/537.36")),
              102);
    EXPECT_EQ(MajorVersionFromUserAgent(QStringLiteral("Mozilla/5.0 Safari/537.36")), 0);
    EXPECT_EQ(MajorVersionFromUserAgent(QString()), 0);
}

}  // namespace
