#include "util/CUtilMessageBox.h"

#include <QFile>
#include <QMessageBox>
#include <QPushButton>

bool CUtilMessageBox::LogInsteadOfShowing(const QString& text)
{
    const QString log = qEnvironmentVariable("KESTREL_MESSAGEBOX_LOG");
    if (log.isEmpty())
        return false;
    QFile file(log);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        QString line = text;
        line.replace(QStringLiteral("\r\n"), QStringLiteral("\\n")).replace(u'\n', QStringLiteral("\\n"));
        file.write((line + u'\n').toUtf8());
    }
    return true;
}

int CUtilMessageBox::Show(QWidget* parent, const QString& text, const QString& title, Buttons buttons,
                          const QString& okCaption, const QString& cancelCaption)
{
    if (LogInsteadOfShowing(text))
        return IdOk;
    QMessageBox box(parent);
    box.setText(text);
    box.setWindowTitle(title);
    box.setIcon(buttons == Ok ? QMessageBox::Warning : QMessageBox::Question);
    QPushButton* ok = box.addButton(QMessageBox::Ok);
    if (!okCaption.isEmpty())
        ok->setText(okCaption);
    if (buttons == OkCancel) {
        QPushButton* cancel = box.addButton(QMessageBox::Cancel);
        if (!cancelCaption.isEmpty())
            cancel->setText(cancelCaption);
    }
    box.setDefaultButton(ok);
    box.exec();
    return box.clickedButton() == ok ? IdOk : IdCancel;
}
