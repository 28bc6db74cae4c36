#include "util/CUtilPath.h"

#include "util/UserFolders.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace {

QPushButton* AcceptButton(QFileDialog* dlg)
{
    const auto* box = dlg->findChild<QDialogButtonBox*>();
    if (!box)
        return nullptr;
    QPushButton* b = box->button(QDialogButtonBox::Open);
    return b ? b : box->button(QDialogButtonBox::Save);
}

// What the dialog would answer if OK were pressed now.
QString CurrentSelection(QFileDialog* dlg)
{
    QString typed;
    if (auto* edit = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        typed = edit->text().trimmed();
    if (!typed.isEmpty())
        return QDir(dlg->directory()).absoluteFilePath(typed);
    return dlg->directory().absolutePath();
}

}  // namespace

QString CUtilPath::ToQtFilter(const QString& filter)
{
    if (!filter.contains(u'|'))
        return filter;
    const QStringList parts = filter.split(u'|', Qt::SkipEmptyParts);
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        pattern.replace(u';', u' ');
        out << QStringLiteral("%1 (%2)").arg(parts[i], pattern);
    }
    return out.join(QStringLiteral(";;"));
}

int CUtilPath::SelectFile(QWidget* owner, const QString& filter, const QString& initialFolder,
                          QString* outPath, int createPrompt)
{
    QFileDialog dlg(owner, QString(), initialFolder, ToQtFilter(filter));
    dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    dlg.setFileMode(createPrompt ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return 0;
    if (outPath)
        *outPath = dlg.selectedFiles().front();
    return 1;
}

int CUtilPath::SelectFolder(QWidget* owner, QString& outPath)
{
    return SelectFolder(owner, outPath, QString());
}

int CUtilPath::SelectFolder(QWidget* owner, QString& outPath, const QString& title)
{
    // Opens at the home folder, the top of the user's own files.
    QFileDialog dlg(owner, title, kestrel::folders::HomeFolder());
    dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    dlg.setFileMode(QFileDialog::Directory);
    dlg.setOption(QFileDialog::ShowDirsOnly, true);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return 0;
    outPath = dlg.selectedFiles().front();
    return 1;
}

bool CUtilPath::IsSelectableFolder(const QString& path)
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.exists() && info.isDir() && !info.isSymLink();
}

QFileDialog* CUtilPath::CreateFolderDialog(QWidget* owner, const QString& startPath, const QString& title,
                                           const QString& okCaption, const QString& cancelCaption,
                                           int newFolder)
{
    auto* dlg = new QFileDialog(owner);
    dlg->setOption(QFileDialog::DontUseNativeDialog, true);
    dlg->setFileMode(QFileDialog::Directory);
    dlg->setOption(QFileDialog::ShowDirsOnly, true);
    dlg->setOption(QFileDialog::ReadOnly, newFolder == 0);
    if (!title.isEmpty())
        dlg->setWindowTitle(title);
    if (!startPath.isEmpty())
        dlg->setDirectory(startPath);
    if (!okCaption.isEmpty())
        dlg->setLabelText(QFileDialog::Accept, okCaption);
    if (!cancelCaption.isEmpty())
        dlg->setLabelText(QFileDialog::Reject, cancelCaption);
    if (newFolder == 0)
        if (auto* b = dlg->findChild<QToolButton*>(QStringLiteral("newFolderButton")))
            b->hide();

    // The dialog re-enables its own OK button on many of its signals; run
    // the rule after its handlers, from the event loop.
    auto apply = [dlg] {
        if (QPushButton* ok = AcceptButton(dlg))
            ok->setEnabled(IsSelectableFolder(CurrentSelection(dlg)));
    };
    auto later = [dlg, apply] { QTimer::singleShot(0, dlg, apply); };
    QObject::connect(dlg, &QFileDialog::currentChanged, dlg, later);
    QObject::connect(dlg, &QFileDialog::directoryEntered, dlg, later);
    if (auto* edit = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        QObject::connect(edit, &QLineEdit::textChanged, dlg, later);
    later();
    return dlg;
}

int CUtilPath::SelectFolder(QWidget* owner, const QString& startPath, const QString& title, QString& outPath,
                            const QString& okCaption, const QString& cancelCaption, int newFolder)
{
    std::unique_ptr<QFileDialog> dlg(CreateFolderDialog(owner, startPath, title, okCaption, cancelCaption, newFolder));
    if (dlg->exec() != QDialog::Accepted || dlg->selectedFiles().isEmpty())
        return 0;
    const QString chosen = dlg->selectedFiles().front();
    if (!IsSelectableFolder(chosen))
        return 0;
    outPath = chosen;
    return 1;
}

void CUtilPath::RemoveAll(const QString& folder)
{
    if (folder.isEmpty())
        return;
    QDirIterator it(folder, QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        if (info.isSymLink() || !info.isDir())
            QFile::remove(path);
    }
}
