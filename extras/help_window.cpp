#include "extras/help_window.h"

#include "widgets/fonts.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Kapuna 도움말"));
    resize(640, 600);

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->document()->setDefaultFont(fonts::Gulim(10));
    browser_->document()->setDocumentMargin(16);
    // The file is only ever ours, but it is still just a document: links
    // within it scroll, and nothing it names is fetched or run.
    browser_->setOpenLinks(false);
    browser_->setOpenExternalLinks(false);
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpWindow::FollowLink);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
}

bool HelpWindow::LoadFile(const QString &filePath)
{
    QFile file(filePath);
    const QFileInfo info(filePath);
    if (!info.isFile() || info.size() > kMaxFileBytes || !file.open(QIODevice::ReadOnly)) {
        ShowCannotOpen(filePath);
        return false;
    }
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > kMaxFileBytes) {
        ShowCannotOpen(filePath);
        return false;
    }
    browser_->setHtml(QString::fromUtf8(bytes));
    browser_->moveCursor(QTextCursor::Start);
    browser_->ensureCursorVisible();
    return true;
}

void HelpWindow::FollowLink(const QUrl &url)
{
    if (url.scheme().isEmpty() && url.path().isEmpty() && url.hasFragment())
        browser_->scrollToAnchor(url.fragment());
}

void HelpWindow::ShowCannotOpen(const QString &filePath)
{
    browser_->setHtml(
        QStringLiteral("<h2>도움말을 열 수 없습니다</h2>"
                       "<p>도움말 파일이 없거나 읽을 수 없습니다.</p>"
                       "<p><code>%1</code></p>"
                       "<p>이 창을 닫아도 게임은 그대로 계속됩니다. "
                       "도움말 파일(kapuna.hlp)은 프로그램과 같은 폴더에 있어야 합니다.</p>")
            .arg(filePath.toHtmlEscaped()));
}
