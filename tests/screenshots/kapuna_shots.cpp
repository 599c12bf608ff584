// Renders the main window in the states the README shows: the set-up after
// start, a confirmed ladder of twelve, and a finished automatic game, also
// as a saved picture and at 200 % zoom.
// kapuna_shots OUTPUT_DIR [PROGRAM_DIR]: PROGRAM_DIR holds data/list for the
// banner (the build folder does).
#include "widgets/fonts.h"
#include "app/column_controls.h"
#include "app/controls.h"
#include "app/board.h"
#include "app/main_window.h"
#include "app/share.h"
#include "support/recording_messages.h"
#include "widgets/zoom_level.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    fonts::RegisterKoreanSubstitutes();
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));

    RecordingMessages messages;
    Services services{messages};
    if (argc > 2)
        services.programFolder = QString::fromLocal8Bit(argv[2]);
    ZoomLevel zoom;
    MainWindow window(services, zoom);
    window.show();
    QCoreApplication::processEvents();
    window.grab().save(out.filePath(QStringLiteral("screenshot-setup.png")));

    window.Ui().txtMember->setText(QStringLiteral("12"));
    // Five-syllable prizes among them: the longest a prize can be.
    const QStringList prizes = {QStringLiteral("10000"), QStringLiteral("꽝"),
                                QStringLiteral("오천원상품"), QStringLiteral("커피"),
                                QStringLiteral("꽝"), QStringLiteral("1000"),
                                QStringLiteral("아이스크림"), QStringLiteral("꽝"),
                                QStringLiteral("3000"), QStringLiteral("영화관람권"),
                                QStringLiteral("꽝"), QStringLiteral("2000")};
    window.Ui().lstBul->addItems(prizes);
    window.picOk_Click();
    window.grab().save(out.filePath(QStringLiteral("screenshot-ladder.png")));

    window.SelectStartMode(0);
    window.picReset_Click();
    window.picOk_Click();
    const QStringList names = {QStringLiteral("민준"), QStringLiteral("서연"), QString(),
                               QStringLiteral("지호"), QStringLiteral("하은"), QString(),
                               QStringLiteral("도윤"), QStringLiteral("지우"), QString(),
                               QStringLiteral("예준"), QStringLiteral("수아"), QString()};
    for (int i = 1; i <= 12; ++i)
        window.Play().Columns().txtName(i)->setText(names[i - 1]);
    window.Play().Run().StartDescent(1);
    while (window.Play().Timer1().isActive())
        window.Play().Run().DescentStep();
    window.grab().save(out.filePath(QStringLiteral("screenshot-finished.png")));
    // What "그림으로 저장…" writes of it: twice the pixels, from the sharper artwork.
    Share::WindowPicture(&window).save(out.filePath(QStringLiteral("saved-picture.png")));

    // The same finished game at 200 %: drawn again at the size, not enlarged.
    window.SetZoom(units::Zoom{200});
    QCoreApplication::processEvents();
    window.grab().save(out.filePath(QStringLiteral("screenshot-zoom200.png")));
    return 0;
}
