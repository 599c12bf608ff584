#include "app/fonts.h"
#include "app/main_window.h"
#include "platform/messages.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kapuna"));
    fonts::RegisterKoreanSubstitutes();

    MessageBoxMessages messages;
    Services services;
    services.messages = &messages;

    MainWindow window(services);
    window.show();
    return app.exec();
}
