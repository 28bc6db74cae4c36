// The real main window over a private copy of the staged application folder
// and a small generated card: loads the card as the command line does and
// drives the window's event loop while the engine plays.
#pragma once

#include "CKestrelDlg.h"
#include "CPlayFlow.h"
#include "MainWndTestEnv.h"

#include "CardGen.h"
#include "controls/CCtrlListbox.h"
#include "panels/list/CWndList.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace mainwnd_test {

class WindowPlayback : public ::testing::Test {
protected:
    using CPlayFlow = kestrel::playflow::CPlayFlow;

    void SetUp() override
    {
        ASSERT_TRUE(m_app.Ok());
        ASSERT_TRUE(m_tmp.isValid());
        m_log = m_tmp.filePath(QStringLiteral("messages.log"));
        qputenv("KESTREL_MESSAGEBOX_LOG", m_log.toUtf8());
        qputenv("KESTREL_POPUP_ANSWER", "ok");
    }

    void TearDown() override
    {
        if (w) {
            w->DispatchCommand(kestrel::mainwnd::kBtnExit);
            Settle();
        }
        w.reset();
        qunsetenv("KESTREL_MESSAGEBOX_LOG");
        qunsetenv("KESTREL_POPUP_ANSWER");
        qunsetenv("KESTREL_PLAY_STATS");
    }

    // Writes the small card (`shape` adjusts it) to a folder of its own.
    std::string WriteCard(const std::function<void(kestrel::cardgen::CardOptions&)>& shape = nullptr)
    {
        const std::string folder = m_tmp.filePath(QStringLiteral("card")).toStdString();
        kestrel::cardgen::CardOptions o = kestrel::cardgen::SmallTestCard(folder, 11);
        o.container = kestrel::cardgen::Container::AviChannelFiles;
        if (shape)
            shape(o);
        std::string error;
        EXPECT_TRUE(kestrel::cardgen::GenerateCard(o, &m_card, &error)) << error;
        return folder;
    }

    // Shows the window and loads the card; answers the play state.
    int OpenWindowWithCard(const std::function<void(kestrel::cardgen::CardOptions&)>& shape = nullptr)
    {
        m_folder = WriteCard(shape);
        w = std::make_unique<CKestrelDlg>(m_app.App());
        w->show();
        Settle();
        return w->LoadRecordingFolder(QString::fromStdString(m_folder));
    }

    static void Settle() { QApplication::processEvents(); }

    // Runs the event loop until `done` holds or `ms` pass.
    static bool WaitFor(const std::function<bool()>& done, int ms = 10000)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (!done()) {
            if (std::chrono::steady_clock::now() >= end)
                return false;
            QApplication::processEvents(QEventLoop::AllEvents, 5);
            QThread::msleep(2);
        }
        return true;
    }

    CPlayFlow& Flow() { return *w->PlayFlow(); }
    CCtrlListbox& List() { return *w->ListWnd()->ListBox(); }
    bool Shown(int id) const { return w->Control(id) && !w->Control(id)->isHidden(); }

    // A real double click on row `row` of the list box.
    void DoubleClickRow(int row)
    {
        CCtrlListbox& box = List();
        box.EnsureVisible(row);
        const QPointF at = QRectF(box.RowRect(row - box.GetTopRow())).center();
        QMouseEvent dbl(QEvent::MouseButtonDblClick, at, box.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                        Qt::NoModifier);
        QApplication::sendEvent(&box, &dbl);
    }

    QStringList LoggedMessages() const
    {
        QFile f(m_log);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

    PreparedApp m_app;
    QTemporaryDir m_tmp;
    QString m_log;
    std::string m_folder;
    kestrel::cardgen::CardResult m_card;
    std::unique_ptr<CKestrelDlg> w;
};

}  // namespace mainwnd_test
