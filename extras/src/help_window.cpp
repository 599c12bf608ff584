#include "extras/help_window.h"

#include "extras/help_markup.h"
#include "platform/safe_file.h"
#include "widgets/fonts.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// A browser that fetches a document's resources only from its own folder,
// through the checked reads; QTextBrowser would otherwise read any local
// path it is given, to its end.
class HelpBrowser final : public QTextBrowser
{
public:
    using QTextBrowser::QTextBrowser;

    // The folder of the file about to be shown, and the style rules its own
    // markup holds: the resources it may load start from here.
    void Begin(const QString &folder, int styleRules)
    {
        folder_ = QFileInfo(folder).canonicalFilePath();
        styleRulesLeft_ = HelpMarkup::kMaxStyleRules - styleRules;
        styleBytesLeft_ = HelpWindow::kMaxStyleSheetBytes;
        picturesLeft_ = HelpWindow::kMaxPictures;
        pixelsLeft_ = HelpWindow::kMaxPicturePixels;
        pictures_.clear();
    }

    // Refusals are empty values, never a null QVariant, and a refused picture
    // is a blank pixel, never a null image: on a null answer QTextDocument,
    // and then its image handler, go and read the named file themselves.
    QVariant loadResource(int type, const QUrl &name) override
    {
        const QString path = FileInFolder(name);
        if (type == QTextDocument::StyleSheetResource)
            return QVariant(StyleSheet(path));
        if (type == QTextDocument::ImageResource) {
            const QImage image = Picture(path);
            return QVariant(image.isNull() ? BlankPixel() : image);
        }
        return QVariant(QByteArray());
    }

private:
    // Every sheet of a file shares one allowance of bytes and of rules with
    // the rules written in the file: matching rules against elements is
    // what a style sheet costs.
    QString StyleSheet(const QString &path)
    {
        const safe_file::ReadResult read =
            path.isEmpty() ? safe_file::ReadResult{} : safe_file::Read(path, styleBytesLeft_);
        if (!read.bytes)
            return {};
        const int rules = int(read.bytes->count('{'));
        if (rules > styleRulesLeft_)
            return {};
        styleRulesLeft_ -= rules;
        styleBytesLeft_ -= read.bytes->size();
        return QString::fromUtf8(*read.bytes);
    }

    // A picture is decoded once however many names it is given, and a file
    // decodes at most kMaxPictures files and kMaxPicturePixels pixels; a
    // canvas beyond what is left is refused from its header, undecoded.
    QImage Picture(const QString &path)
    {
        if (path.isEmpty())
            return {};
        if (const auto known = pictures_.constFind(path); known != pictures_.constEnd())
            return *known;
        QImage image;
        if (picturesLeft_ > 0 && pixelsLeft_ > 0) {
            --picturesLeft_;
            const safe_file::ReadResult read = safe_file::Read(path, safe_file::kMaxPictureBytes);
            const qint64 fits = std::min(safe_file::kMaxPixels, pixelsLeft_);
            if (read.bytes)
                image = safe_file::DecodeFirstFrame(*read.bytes, fits);
            pixelsLeft_ -= qint64(image.width()) * image.height();
        }
        pictures_.insert(path, image);
        return image;
    }

    static QImage BlankPixel()
    {
        QImage blank(1, 1, QImage::Format_ARGB32);
        blank.fill(Qt::transparent);
        return blank;
    }

    // The canonical path of a relative reference inside the folder, or
    // nothing for any other name.
    QString FileInFolder(const QUrl &name) const
    {
        if (folder_.isEmpty() || !name.scheme().isEmpty() || !name.authority().isEmpty())
            return {};
        const QString relative = name.path(QUrl::FullyDecoded);
        if (relative.isEmpty() || QDir::isAbsolutePath(relative))
            return {};
        const QString canonical = QFileInfo(QDir(folder_).filePath(relative)).canonicalFilePath();
        if (canonical.isEmpty() || !canonical.startsWith(folder_ + QLatin1Char('/')))
            return {};
        return canonical;
    }

    QString folder_;
    int styleRulesLeft_ = 0;
    qint64 styleBytesLeft_ = 0;
    int picturesLeft_ = 0;
    qint64 pixelsLeft_ = 0;
    QHash<QString, QImage> pictures_;
};

} // namespace

HelpWindow::HelpWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Kapuna 도움말"));
    browser_ = new HelpBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->document()->setDocumentMargin(16);
    // Links within the file scroll; nothing it names is opened or run.
    browser_->setOpenLinks(false);
    browser_->setOpenExternalLinks(false);
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpWindow::FollowLink);

    closeButton_ = new QPushButton(QStringLiteral("닫기"), this);
    closeButton_->setObjectName(QStringLiteral("HelpClose"));
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
    for (const QKeySequence &keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(8, 6, 8, 8);
    buttons->addStretch();
    buttons->addWidget(closeButton_);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(browser_);
    layout->addLayout(buttons);
    SetZoom(1.0);
    // The text takes the keys from the start: Page Down, arrows and Home
    // scroll it without a Tab first.
    browser_->setFocus();
}

void HelpWindow::SetZoom(double factor)
{
    browser_->document()->setDefaultFont(fonts::Gulim(10 * factor));
    QFont button = QApplication::font(closeButton_);
    button.setPointSizeF(button.pointSizeF() * factor);
    closeButton_->setFont(button);
    QSize size = (QSizeF(640, 600) * factor).toSize();
    // Never larger than the screen it opens on.
    if (const QScreen *on = screen())
        size = size.boundedTo(on->availableGeometry().size() * 0.9);
    resize(size);
}

bool HelpWindow::LoadFile(const QString &filePath)
{
    const safe_file::ReadResult read = safe_file::Read(filePath, kMaxFileBytes);
    if (!read.bytes) {
        ShowCannotOpen(filePath, read.refusal == safe_file::Refusal::TooLarge ? Refusal::TooLarge
                                                                            : Refusal::Unreadable);
        return false;
    }
    const QString html = QString::fromUtf8(*read.bytes);
    // Measured before Qt parses a byte: what is beyond the caps would hold
    // the window for seconds or minutes, or overflow the stack.
    const HelpMarkup shape = HelpMarkup::Measure(html);
    if (!shape.Fits()) {
        ShowCannotOpen(filePath, Refusal::TooComplex);
        return false;
    }
    static_cast<HelpBrowser *>(browser_)->Begin(QFileInfo(filePath).absolutePath(), shape.styleRules);
    // Resources of an earlier file are not this one's.
    browser_->document()->clear();
    browser_->setHtml(html);
    browser_->moveCursor(QTextCursor::Start);
    browser_->ensureCursorVisible();
    return true;
}

void HelpWindow::FollowLink(const QUrl &url)
{
    if (url.scheme().isEmpty() && url.path().isEmpty() && url.hasFragment())
        browser_->scrollToAnchor(url.fragment());
}

void HelpWindow::ShowCannotOpen(const QString &filePath, Refusal why)
{
    static_cast<HelpBrowser *>(browser_)->Begin(QString(), 0);
    if (why == Refusal::TooLarge) {
        browser_->setHtml(QStringLiteral("<h2>도움말을 열 수 없습니다</h2>"
                                         "<p>도움말 파일이 너무 큽니다.</p>"));
        return;
    }
    if (why == Refusal::TooComplex) {
        browser_->setHtml(QStringLiteral("<h2>도움말을 열 수 없습니다</h2>"
                                         "<p>도움말 파일의 구조가 너무 복잡합니다.</p>"));
        return;
    }
    browser_->setHtml(
        QStringLiteral("<h2>도움말을 열 수 없습니다</h2>"
                       "<p>도움말 파일이 없거나 읽을 수 없습니다.</p>"
                       "<p><code>%1</code></p>"
                       "<p>이 창을 닫아도 게임은 그대로 계속됩니다. "
                       "도움말 파일(kapuna.hlp)은 프로그램과 같은 폴더에 있어야 합니다.</p>")
            .arg(filePath.toHtmlEscaped()));
}
