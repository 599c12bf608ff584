#include "app/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// Texts that Qt 6 asks for under a context its Korean catalogue does not
// have yet: the file dialog's type column would call a folder "Folder".
// Only the ones this platform asks for.
class MissingKorean final : public QTranslator
{
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }

    QString translate(const char *context, const char *sourceText, const char *,
                      int) const override
    {
        struct Text
        {
            const char *context;
            const char *source;
            const char *korean;
        };
        static constexpr Text kTexts[] = {
            {"QAbstractFileIconProvider", "Folder", "폴더"},
            {"QAbstractFileIconProvider", "Drive", "드라이브"},
            {"QAbstractFileIconProvider", "Shortcut", "바로 가기"},
            {"QAbstractFileIconProvider", "Unknown", "알 수 없음"},
        };
        for (const Text &text : kTexts)
            if (qstrcmp(context, text.context) == 0 && qstrcmp(sourceText, text.source) == 0)
                return QString::fromUtf8(text.korean);
        return {};
    }
};

} // namespace

namespace qt_translations {

bool InstallKorean(QCoreApplication &app)
{
    auto *translator = new QTranslator(&app);
    const bool found = translator->load(QStringLiteral("qtbase_ko"),
                                        QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (found)
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
    // Installed last, asked first.
    QCoreApplication::installTranslator(new MissingKorean(&app));
    return found;
}

} // namespace qt_translations
