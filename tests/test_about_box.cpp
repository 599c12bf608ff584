// frmAbout: its layout, the blinking maker's name, the link label's hover
// border and click, and how it opens and closes.

#include "extras/about_box.h"

#include "widgets/image_list.h"
#include "support/recording_shell.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

namespace {

// Delivers a mouse event the way the window system would: to the widget under
// the point, from where it travels up to the parents that did not take it.
void SendMouse(QWidget *window, QEvent::Type type, QPoint windowPos,
               Qt::MouseButton button = Qt::NoButton)
{
    QWidget *target = window->childAt(windowPos);
    if (!target)
        target = window;
    const QPoint local = target->mapFrom(window, windowPos);
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button)
                                                                   : Qt::MouseButtons();
    QMouseEvent event(type, local, target->mapToGlobal(local), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void MoveTo(QWidget *window, QPoint windowPos)
{
    SendMouse(window, QEvent::MouseMove, windowPos);
}

void ClickAt(QWidget *window, QPoint windowPos)
{
    SendMouse(window, QEvent::MouseButtonPress, windowPos, Qt::LeftButton);
    SendMouse(window, QEvent::MouseButtonRelease, windowPos, Qt::LeftButton);
}

QPoint CentreOf(const QWidget *widget, const QWidget *window)
{
    return widget->mapTo(window, widget->rect().center());
}

QRgb TextRgb(const QWidget *widget)
{
    return widget->palette().color(QPalette::WindowText).rgb();
}

} // namespace

class TestAboutBox : public QObject
{
    Q_OBJECT

private:
    ImageList images_;
    RecordingShell shell_;

    std::unique_ptr<AboutBox> Open()
    {
        shell_.opened.clear();
        return LoadAboutBox(nullptr, shell_, images_);
    }

private slots:
    void captionAndClientSize()
    {
        const auto box = Open();
        QCOMPARE(box->windowTitle(), QStringLiteral("Kapuna 정보"));
        QCOMPARE(box->size(), QSize(411, 214));
        QCOMPARE(box->objectName(), QStringLiteral("frmAbout"));
    }

    // With the main window zoomed, the box is the same box, larger: every
    // control its 100 % rectangle and font times the zoom, within the pixel
    // that rounding the twips costs, and the frame's labels still inside it.
    void controlsScaleWithTheZoom_data()
    {
        QTest::addColumn<int>("percent");
        for (int percent : {125, 150, 200, 300})
            QTest::addRow("%d %%", percent) << percent;
    }

    void controlsScaleWithTheZoom()
    {
        QFETCH(int, percent);
        const units::Zoom zoom{percent};
        const double f = zoom.Factor();
        const auto design = Open();
        ZoomLevel level;
        level.Set(zoom);
        const auto box = LoadAboutBox(nullptr, shell_, images_, level);
        QCOMPARE(box->size(), units::ScaledPx(design->size(), zoom));
        const auto near = [f](int a, double b) { return std::abs(a - b) <= 1 + f / 2; };
        const auto children = design->findChildren<QWidget *>();
        QVERIFY(children.size() >= 8);
        for (const QWidget *small : children) {
            if (small->objectName().isEmpty())
                continue;
            const auto *large = box->findChild<QWidget *>(small->objectName());
            QVERIFY(large);
            const QRect a = large->geometry();
            const QRect b = small->geometry();
            QVERIFY2(near(a.x(), b.x() * f) && near(a.y(), b.y() * f)
                         && near(a.width(), b.width() * f) && near(a.height(), b.height() * f),
                     qPrintable(small->objectName()));
            QVERIFY2(qFuzzyCompare(large->font().pointSizeF(), small->font().pointSizeF() * f),
                     qPrintable(small->objectName()));
            if (large->parentWidget() == box->Frame1())
                QVERIFY(box->Frame1()->rect().contains(a));
        }
    }

    void labelsOfTheFrameLieInsideIt()
    {
        const auto box = Open();
        for (const QWidget *label : {static_cast<QWidget *>(box->Label2(AboutBox::kLinkLabel)),
                                     static_cast<QWidget *>(box->Label2(AboutBox::kContactLabel)),
                                     static_cast<QWidget *>(box->Label3()),
                                     static_cast<QWidget *>(box->LblCredits())}) {
            QCOMPARE(label->parentWidget(), box->Frame1());
            QVERIFY(box->Frame1()->rect().contains(label->geometry()));
        }
        QCOMPARE(box->Label2(0), nullptr);
        QCOMPARE(box->Label2(11), nullptr);
    }

    void contentsOfTheBox()
    {
        const auto box = Open();
        QCOMPARE(box->LblTitle()->text(), QStringLiteral("Kapuna 1.1"));
        QCOMPARE(TextRgb(box->LblTitle()), qRgb(0, 0, 0));
        QCOMPARE(box->CmdOK()->text(), QStringLiteral("확인"));
        QVERIFY(box->CmdOK()->isDefault());
        QCOMPARE(box->Label2(AboutBox::kLinkLabel)->text(), AboutBox::WebAddress());
        QVERIFY(!box->Label1()->text().isEmpty());
        QVERIFY(!box->Label2(AboutBox::kContactLabel)->text().isEmpty());
        QVERIFY(!box->Label3()->text().isEmpty());
        QCOMPARE(box->PicIcon()->pixmap().deviceIndependentSize().toSize(), QSize(32, 32));
    }

    void creditsNameTheOpenLicences()
    {
        const auto box = Open();
        for (const QString &text : {box->LblCredits()->text(), box->Label1()->toolTip()}) {
            QVERIFY(text.contains(QStringLiteral("Noto Color Emoji")));
            QVERIFY(text.contains(QStringLiteral("OFL 1.1")));
            QVERIFY(text.contains(QStringLiteral("Apache")));
            QVERIFY(text.contains(QStringLiteral("나눔")));
        }
    }

    void linkAndContactShowTheLinkPointer()
    {
        const auto box = Open();
        const QCursor link = box->Label2(AboutBox::kLinkLabel)->cursor();
        QCOMPARE(link.shape(), Qt::BitmapCursor);
        QCOMPARE(link.pixmap().deviceIndependentSize().toSize(), QSize(32, 32));
        QCOMPARE(link.hotSpot(), ImageList::kLinkCursorHotSpot);
        QCOMPARE(box->Label2(AboutBox::kContactLabel)->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(box->Label2(AboutBox::kContactLabel)->cursor().hotSpot(), link.hotSpot());
        QCOMPARE(box->Label3()->cursor().shape(), Qt::ArrowCursor);
    }

    void makersNameBlinksGreenRedGreen()
    {
        const auto box = Open();
        QLabel *label = box->Label3();
        QCOMPARE(box->Timer1().interval(), 500);
        QVERIFY(box->Timer1().isActive());

        QCOMPARE(box->Label3Colour(), 10);
        QCOMPARE(TextRgb(label), qRgb(0x00, 0xff, 0x00));
        box->Timer1_Timer();
        QCOMPARE(box->Label3Colour(), 12);
        QCOMPARE(TextRgb(label), qRgb(0xff, 0x00, 0x00));
        box->Timer1_Timer();
        QCOMPARE(box->Label3Colour(), 10);
        QCOMPARE(TextRgb(label), qRgb(0x00, 0xff, 0x00));
        box->Timer1_Timer();
        QCOMPARE(box->Label3Colour(), 12);
    }

    void timerTickDrivesTheBlink()
    {
        const auto box = Open();
        QVERIFY(QMetaObject::invokeMethod(&box->Timer1(), "timeout", Qt::DirectConnection));
        QCOMPARE(box->Label3Colour(), 12);
    }

    void everyOpenStartsFromGreen()
    {
        {
            const auto first = Open();
            first->Timer1_Timer();
            QCOMPARE(first->Label3Colour(), 12);
            first->CmdOK()->click();
        }
        const auto second = Open();
        QCOMPARE(second->Label3Colour(), 10);
        QCOMPARE(TextRgb(second->Label3()), qRgb(0x00, 0xff, 0x00));
    }

    void hoverOnTheLinkDrawsItsBorder()
    {
        const auto box = Open();
        QLabel *link = box->Label2(AboutBox::kLinkLabel);
        QVERIFY(!box->LinkHasBorder());
        QCOMPARE(link->frameShape(), QFrame::NoFrame);
        MoveTo(box.get(), CentreOf(link, box.get()));
        QVERIFY(box->LinkHasBorder());
        QCOMPARE(link->frameShape(), QFrame::Box);
        QCOMPARE(link->frameShadow(), QFrame::Plain);
        QCOMPARE(link->lineWidth(), 1);
    }

    void borderDoesNotMoveTheAddress()
    {
        const auto box = Open();
        QLabel *link = box->Label2(AboutBox::kLinkLabel);
        const auto textArea = [link] {
            const int m = link->margin();
            return link->contentsRect().marginsRemoved(QMargins(m, m, m, m));
        };
        const QRect before = textArea();
        MoveTo(box.get(), CentreOf(link, box.get()));
        QVERIFY(box->LinkHasBorder());
        QCOMPARE(textArea(), before);
        QCOMPARE(before, link->rect().adjusted(1, 1, -1, -1));
    }

    void movingOnIntoTheFrameRemovesTheBorder()
    {
        const auto box = Open();
        MoveTo(box.get(), CentreOf(box->Label2(AboutBox::kLinkLabel), box.get()));
        QVERIFY(box->LinkHasBorder());
        // Bare frame just left of the link label.
        MoveTo(box.get(), box->Frame1()->mapTo(box.get(), QPoint(40, 70)));
        QVERIFY(!box->LinkHasBorder());
        QCOMPARE(box->Label2(AboutBox::kLinkLabel)->frameShape(), QFrame::NoFrame);
    }

    void leavingStraightOutOfTheFrameKeepsTheBorder()
    {
        const auto box = Open();
        MoveTo(box.get(), CentreOf(box->Label2(AboutBox::kLinkLabel), box.get()));
        // Onto the dialog itself, above the frame, and onto the other controls.
        MoveTo(box.get(), QPoint(200, 55));
        MoveTo(box.get(), CentreOf(box->LblTitle(), box.get()));
        MoveTo(box.get(), CentreOf(box->CmdOK(), box.get()));
        QVERIFY(box->LinkHasBorder());
        MoveTo(box.get(), box->Frame1()->mapTo(box.get(), QPoint(380, 140)));
        QVERIFY(!box->LinkHasBorder());
    }

    void otherLabelsOfTheFrameNeitherDrawNorClearTheBorder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("Label2(2)") << "Label2_2";
        QTest::newRow("Label3") << "Label3";
        QTest::newRow("credits") << "LblCredits";
    }

    void otherLabelsOfTheFrameNeitherDrawNorClearTheBorder()
    {
        QFETCH(QString, name);
        const auto box = Open();
        auto *label = box->findChild<QLabel *>(name);
        QVERIFY(label);
        MoveTo(box.get(), CentreOf(label, box.get()));
        QVERIFY(!box->LinkHasBorder());
        MoveTo(box.get(), CentreOf(box->Label2(AboutBox::kLinkLabel), box.get()));
        MoveTo(box.get(), CentreOf(label, box.get()));
        QVERIFY(box->LinkHasBorder());
    }

    void clickOnTheLinkOpensTheAddress()
    {
        const auto box = Open();
        ClickAt(box.get(), CentreOf(box->Label2(AboutBox::kLinkLabel), box.get()));
        QCOMPARE(shell_.opened, QStringList(AboutBox::WebAddress()));
        QVERIFY(AboutBox::WebAddress().startsWith(QStringLiteral("https://")));
        // The box stays open.
        QCOMPARE(box->result(), 0);
    }

    void pressOnTheLinkReleasedElsewhereOpensNothing()
    {
        const auto box = Open();
        QLabel *link = box->Label2(AboutBox::kLinkLabel);
        QMouseEvent press(QEvent::MouseButtonPress, link->rect().center(),
                          link->mapToGlobal(link->rect().center()), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(link, &press);
        const QPoint outside(link->width() + 30, link->height() + 30);
        QMouseEvent release(QEvent::MouseButtonRelease, outside, link->mapToGlobal(outside),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(link, &release);
        QVERIFY(shell_.opened.isEmpty());
    }

    void rightClickOnTheLinkOpensNothing()
    {
        const auto box = Open();
        const QPoint at = CentreOf(box->Label2(AboutBox::kLinkLabel), box.get());
        SendMouse(box.get(), QEvent::MouseButtonPress, at, Qt::RightButton);
        SendMouse(box.get(), QEvent::MouseButtonRelease, at, Qt::RightButton);
        QVERIFY(shell_.opened.isEmpty());
    }

    void clicksElsewhereDoNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("Label2(2)") << "Label2_2";
        QTest::newRow("Label3") << "Label3";
        QTest::newRow("credits") << "LblCredits";
        QTest::newRow("LblTitle") << "LblTitle";
        QTest::newRow("Label1") << "Label1";
        QTest::newRow("PicIcon") << "PicIcon";
        QTest::newRow("Frame1") << "Frame1";
    }

    void clicksElsewhereDoNothing()
    {
        QFETCH(QString, name);
        const auto box = Open();
        auto *widget = box->findChild<QWidget *>(name);
        QVERIFY(widget);
        const QPoint at = name == QLatin1String("Frame1")
                              ? box->Frame1()->mapTo(box.get(), QPoint(20, 20))
                              : CentreOf(widget, box.get());
        ClickAt(box.get(), at);
        QVERIFY(shell_.opened.isEmpty());
        QVERIFY(!box->LinkHasBorder());
    }

    void handlersIgnoreOtherElements()
    {
        const auto box = Open();
        for (int i : {0, 1, 2, 3, 11, 13, -1}) {
            box->Label2_MouseMove(i);
            box->Label2_Click(i);
        }
        QVERIFY(!box->LinkHasBorder());
        QVERIFY(shell_.opened.isEmpty());
        box->Label2_Click(12);
        QCOMPARE(shell_.opened.size(), 1);
    }

    void closeKeysAndButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("OK button") << 0;
    }

    void closeKeysAndButton()
    {
        QFETCH(int, key);
        const auto box = Open();
        box->open();
        QVERIFY(box->isVisible());
        if (key == 0)
            QTest::mouseClick(box->CmdOK(), Qt::LeftButton);
        else
            QTest::keyClick(box.get(), Qt::Key(key));
        QVERIFY(!box->isVisible());
        QVERIFY(shell_.opened.isEmpty());
    }

    void opensCentredOnTheScreen()
    {
        const auto box = Open();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QRect frame = box->frameGeometry();
        QVERIFY(qAbs(frame.center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(frame.center().y() - screen.center().y()) <= 1);
    }

    void ownerKeepsTheBoxAboveIt()
    {
        QWidget owner;
        const auto box = LoadAboutBox(&owner, shell_, images_);
        QCOMPARE(box->parentWidget(), &owner);
        QVERIFY(box->isWindow());
    }

    void clickHandlerShowsTheBoxModallyAndReturnsWhenItCloses()
    {
        QWidget owner;
        owner.show();
        QString seenTitle;
        bool seenModal = false;
        // Runs inside the box's own event loop, where a user would press Escape.
        QMetaObject::invokeMethod(
            this,
            [&] {
                auto *box = qobject_cast<AboutBox *>(QApplication::activeModalWidget());
                if (!box)
                    box = owner.findChild<AboutBox *>(); // never leave the loop hanging
                if (!box)
                    return;
                seenTitle = box->windowTitle();
                seenModal = box->isModal();
                QTest::keyClick(box, Qt::Key_Escape);
            },
            Qt::QueuedConnection);
        ShowAboutBox(&owner, shell_, images_);
        QCOMPARE(seenTitle, QStringLiteral("Kapuna 정보"));
        QVERIFY(seenModal);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        // The box is gone with its timer, not just hidden.
        QVERIFY(owner.findChildren<AboutBox *>().isEmpty());
    }
};

QTEST_MAIN(TestAboutBox)
#include "test_about_box.moc"
