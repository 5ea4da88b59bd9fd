#include "PopupBrowserWindow.h"

#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {
class PopupPage : public QWebEnginePage
{
public:
    using QWebEnginePage::QWebEnginePage;

protected:
    // A pop-up's own pop-ups open in another window of the same kind.
    QWebEnginePage *createWindow(WebWindowType) override
    {
        // Parented to this pop-up so that it closes with it, before the profile goes.
        auto *window = new PopupBrowserWindow(profile(), QWebEngineView::forPage(this));
        window->show();
        return window->page();
    }
};
} // namespace

PopupBrowserWindow::PopupBrowserWindow(QWebEngineProfile *profile, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_view(new QWebEngineView(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_view->setPage(new PopupPage(profile, m_view));
    m_view->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    resize(800, 600);

    connect(m_view, &QWebEngineView::titleChanged, this, &QWidget::setWindowTitle);
    connect(m_view->page(), &QWebEnginePage::windowCloseRequested, this, &QWidget::close);
    connect(m_view->page(), &QWebEnginePage::geometryChangeRequested, this,
            [this](const QRect &geometry) { resize(geometry.size()); });
}

PopupBrowserWindow::~PopupBrowserWindow()
{
    // The page must go before the view and before its profile can be released.
    delete m_view->page();
}

QWebEnginePage *PopupBrowserWindow::page() const
{
    return m_view->page();
}
