#include "PopupTestEnv.h"

#include "startup/CKestrelApp.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace popuptest {
namespace {

CKestrelApp* g_app = nullptr;

class PopupEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        const QString home = m_home.path();
        for (const char* sub : {"config", "data", "runtime"})
            ASSERT_TRUE(QDir(home).mkpath(QString::fromLatin1(sub)));
        qputenv("HOME", home.toUtf8());
        qputenv("XDG_CONFIG_HOME", (home + "/config").toUtf8());
        qputenv("XDG_DATA_HOME", (home + "/data").toUtf8());
        qputenv("XDG_RUNTIME_DIR", (home + "/runtime").toUtf8());
        qunsetenv("KESTREL_MESSAGEBOX_LOG");
        qunsetenv("KESTREL_POPUP_ANSWER");

        const QString screen = home + "/screen.json";
        QFile f(screen);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(R"({"screens":[{"name":"S","x":0,"y":0,"width":1920,"height":1080,)"
                R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})");
        f.close();
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screen).toUtf8());

        static int argc = 1;
        static char name[] = "kestrel_popups_tests";
        static char* argv[] = {name, nullptr};
        m_qt = std::make_unique<QApplication>(argc, argv);
        m_app = std::make_unique<CKestrelApp>();
        ASSERT_TRUE(m_app->PrepareWithoutWindow(QStringLiteral(KESTREL_APP_DIR)));
        g_app = m_app.get();
    }

    void TearDown() override
    {
        g_app = nullptr;
        m_app.reset();
        m_qt.reset();
    }

private:
    QTemporaryDir m_home;
    std::unique_ptr<QApplication> m_qt;
    std::unique_ptr<CKestrelApp> m_app;
};

[[maybe_unused]] ::testing::Environment* const g_env =
    ::testing::AddGlobalTestEnvironment(new PopupEnvironment);

}  // namespace

CKestrelApp& App()
{
    if (!g_app)
        throw std::runtime_error("the popup test environment is not prepared");
    return *g_app;
}

}  // namespace popuptest

void popuptest::WhenModalShown(std::function<void(QWidget*)> action)
{
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action = std::move(action)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        action(modal);
    });
    timer->start();
}
