// Plain message boxes carry the OK / Cancel captions of the loaded language.
#include "PopupTestEnv.h"

#include "popups/CTranslatedMessageBox.h"
#include "skin/CUIResources.h"
#include "startup/CKestrelApp.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>

namespace {

using popuptest::App;
using popuptest::Res;

struct Shown {
    QString ok, cancel, text;
};

// Shows an OK / Cancel box and answers it with the button of `role`.
int ShowAndAnswer(QMessageBox::ButtonRole role, Shown& shown)
{
    popuptest::WhenModalShown([&shown, role](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        shown.text = box->text();
        QAbstractButton* answer = nullptr;
        for (QAbstractButton* b : box->buttons()) {
            if (box->buttonRole(b) == QMessageBox::AcceptRole)
                shown.ok = b->text();
            if (box->buttonRole(b) == QMessageBox::RejectRole)
                shown.cancel = b->text();
            if (box->buttonRole(b) == role)
                answer = b;
        }
        ASSERT_NE(answer, nullptr);
        answer->click();
    });
    return CTranslatedMessageBox::Show(Res(), nullptr, QStringLiteral("Delete?"), QStringLiteral("Kestrel"),
                                       CUtilMessageBox::OkCancel);
}

TEST(TranslatedMessageBoxTest, CaptionsFollowTheLoadedLanguage)
{
    const int before = App().CurrentLanguage();
    const int count = App().Languages().Count();
    ASSERT_GT(count, 0);
    for (int i = 0; i < count; ++i) {
        ASSERT_TRUE(App().LoadLanguage(i));
        const QString ok = Res().GetUIText(QStringLiteral("common_ok"));
        const QString cancel = Res().GetUIText(QStringLiteral("common_cancel"));
        EXPECT_FALSE(ok.isEmpty()) << App().Languages().paths[i].toStdString();
        EXPECT_FALSE(cancel.isEmpty()) << App().Languages().paths[i].toStdString();

        Shown shown;
        EXPECT_EQ(ShowAndAnswer(QMessageBox::RejectRole, shown), CUtilMessageBox::IdCancel);
        EXPECT_EQ(shown.text, QStringLiteral("Delete?"));
        EXPECT_EQ(shown.ok, ok);
        EXPECT_EQ(shown.cancel, cancel);
        EXPECT_EQ(ShowAndAnswer(QMessageBox::AcceptRole, shown), CUtilMessageBox::IdOk);
    }
    App().LoadLanguage(before);
}

TEST(TranslatedMessageBoxTest, UnattendedBoxesAreLoggedAndAnsweredOk)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString log = dir.filePath(QStringLiteral("boxes.log"));
    qputenv("KESTREL_MESSAGEBOX_LOG", log.toUtf8());
    const int result = CTranslatedMessageBox::Show(Res(), nullptr, QStringLiteral("line 1\nline 2"), QString(),
                                                   CUtilMessageBox::OkCancel);
    qunsetenv("KESTREL_MESSAGEBOX_LOG");
    EXPECT_EQ(result, CUtilMessageBox::IdOk);
    QFile f(log);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()), QStringLiteral("line 1\\nline 2\n"));
}

}  // namespace
