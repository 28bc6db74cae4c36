// Emptying a folder and the folder chooser's OK rule.
#include "util/CUtilPath.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>

#include <memory>

namespace {

void Touch(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
}

TEST(UtilPath, RemoveAllDeletesOnlyTheFilesDirectlyInTheFolder)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("target");
    const QString outside = dir.filePath("outside.txt");
    ASSERT_TRUE(QDir().mkpath(target + "/sub"));
    Touch(target + "/a.avi");
    Touch(target + "/.hidden");
    Touch(target + "/sub/kept.avi");
    Touch(outside);
    ASSERT_TRUE(QFile::link(outside, target + "/link.txt"));

    CUtilPath::RemoveAll(target);
    EXPECT_EQ(QDir(target).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("sub")});
    EXPECT_TRUE(QFile::exists(target + "/sub/kept.avi"));
    EXPECT_TRUE(QFile::exists(outside));  // the link went, not its target

    CUtilPath::RemoveAll(dir.filePath("does-not-exist"));  // nothing happens
    CUtilPath::RemoveAll(QString());
    EXPECT_TRUE(QFile::exists(outside));
}

TEST(UtilPath, ClassicFiltersBecomeQtFilters)
{
    EXPECT_EQ(CUtilPath::ToQtFilter(QStringLiteral("Video|*.avi;*.mp4|All|*.*||")),
              QStringLiteral("Video (*.avi *.mp4);;All (*.*)"));
    EXPECT_EQ(CUtilPath::ToQtFilter(QStringLiteral("Images (*.png)")), QStringLiteral("Images (*.png)"));
}

QPushButton* OkButton(QFileDialog* dlg)
{
    auto* box = dlg->findChild<QDialogButtonBox*>();
    return box ? box->button(QDialogButtonBox::Open) : nullptr;
}

TEST(UtilPath, FolderChooserEnablesOkOnlyForExistingFolders)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir().mkpath(dir.filePath("cards/card1")));
    Touch(dir.filePath("cards/file.txt"));
    ASSERT_TRUE(QFile::link(dir.filePath("cards/card1"), dir.filePath("cards/shortcut")));

    std::unique_ptr<QFileDialog> dlg(CUtilPath::CreateFolderDialog(
        nullptr, dir.filePath("cards"), QStringLiteral("Choose the card"), QStringLiteral("Take"),
        QStringLiteral("Leave"), 0));
    dlg->show();
    QApplication::processEvents();
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Choose the card"));
    EXPECT_EQ(dlg->labelText(QFileDialog::Accept), QStringLiteral("Take"));
    EXPECT_EQ(dlg->labelText(QFileDialog::Reject), QStringLiteral("Leave"));
    auto* newFolder = dlg->findChild<QToolButton*>(QStringLiteral("newFolderButton"));
    ASSERT_NE(newFolder, nullptr);
    EXPECT_FALSE(newFolder->isVisible());

    QPushButton* ok = OkButton(dlg.get());
    ASSERT_NE(ok, nullptr);
    auto* edit = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    auto typeAndSettle = [&](const QString& text) {
        edit->setText(text);
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        return ok->isEnabled();
    };
    EXPECT_TRUE(typeAndSettle(QStringLiteral("card1")));
    EXPECT_FALSE(typeAndSettle(QStringLiteral("file.txt")));
    EXPECT_FALSE(typeAndSettle(QStringLiteral("no-such-folder")));
    EXPECT_FALSE(typeAndSettle(QStringLiteral("shortcut")));
    EXPECT_TRUE(typeAndSettle(QString()));  // the shown folder itself

    std::unique_ptr<QFileDialog> withNew(
        CUtilPath::CreateFolderDialog(nullptr, dir.path(), QString(), QString(), QString(), 1));
    withNew->show();
    QApplication::processEvents();
    auto* newFolder2 = withNew->findChild<QToolButton*>(QStringLiteral("newFolderButton"));
    ASSERT_NE(newFolder2, nullptr);
    EXPECT_TRUE(newFolder2->isVisible());
}

}  // namespace
