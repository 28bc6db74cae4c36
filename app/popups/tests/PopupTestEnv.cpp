#include "PopupTestEnv.h"

#include "OffscreenViewerEnv.h"
#include "skin/CUIResources.h"
#include "startup/CKestrelApp.h"

#include <QApplication>
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
        qunsetenv("KESTREL_MESSAGEBOX_LOG");
        qunsetenv("KESTREL_POPUP_ANSWER");
        m_env = std::make_unique<kestrel::testenv::OffscreenViewerEnv>("kestrel_popups_tests");
        ASSERT_TRUE(m_env->Ok());
        m_app = std::make_unique<CKestrelApp>();
        ASSERT_TRUE(m_app->PrepareWithoutWindow(QStringLiteral(KESTREL_APP_DIR)));
        g_app = m_app.get();
    }

    void TearDown() override
    {
        g_app = nullptr;
        m_app.reset();
        m_env.reset();
    }

private:
    std::unique_ptr<kestrel::testenv::OffscreenViewerEnv> m_env;
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

const CUIResources& Res()
{
    return App().Resources();
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
