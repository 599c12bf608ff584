#pragma once

#include "widgets/zoom_level.h"

#include <QDialog>
#include <QTimer>

#include <memory>

class ImageList;
class QFrame;
class QLabel;
class QPushButton;
class Shell;

// frmAbout, "Kapuna 정보": the program's icon, name and version, a link to the
// product's web page, a contact line and the maker's name blinking between
// light green and light red. Every open builds a new box, so the blink
// always starts from light green.
class AboutBox : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kBlinkMs = 500;
    // Elements of the label array Label2.
    static constexpr int kContactLabel = 2;
    static constexpr int kLinkLabel = 12;
    // Palette colours of Label3: its design colour and the one it blinks to.
    static constexpr int kLabel3Green = 10;
    static constexpr int kLabel3Red = 12;

    static QString WebAddress() { return QStringLiteral("https://kapuna.example/"); }

    // The load handler: builds the controls and starts the blink timer. The
    // box is at the game's zoom: every rectangle, font and picture at that
    // many times its design size.
    AboutBox(Shell &shell, const ImageList &images, const ZoomLevel &zoom,
             QWidget *parent = nullptr);

    QLabel *PicIcon() const { return picIcon_; }
    QLabel *LblTitle() const { return lblTitle_; }
    QLabel *Label1() const { return label1_; }
    QPushButton *CmdOK() const { return cmdOK_; }
    QFrame *Frame1() const { return frame1_; }
    // Element `index` of Label2 (2 or 12); null for any other index.
    QLabel *Label2(int index) const;
    QLabel *Label3() const { return label3_; }
    QLabel *LblCredits() const { return lblCredits_; }
    QTimer &Timer1() { return timer1_; }

    int Label3Colour() const { return label3Colour_; }
    bool LinkHasBorder() const { return linkHasBorder_; }

    // The handlers, callable as the events would call them.
    void Timer1_Timer();
    void Frame1_MouseMove();
    void Label2_MouseMove(int index);
    void Label2_Click(int index);
    void CmdOK_Click();

    // Places the box in the middle of the screen it will open on.
    void CentreOnScreen();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildControls(const ImageList &images);
    void SetLabel3Colour(int colour);
    void SetLinkBorder(bool on);
    int Label2Index(const QObject *object) const;

    Shell &shell_;
    const ZoomLevel &zoom_;
    QTimer timer1_;
    int label3Colour_ = kLabel3Green;
    bool linkHasBorder_ = false;
    int pressedLabel_ = -1;

    QLabel *picIcon_ = nullptr;
    QLabel *lblTitle_ = nullptr;
    QLabel *label1_ = nullptr;
    QPushButton *cmdOK_ = nullptr;
    QFrame *frame1_ = nullptr;
    QLabel *label2Contact_ = nullptr;
    QLabel *label2Link_ = nullptr;
    QLabel *label3_ = nullptr;
    QLabel *lblCredits_ = nullptr;
};

// picAbout's click, in two steps so that tests can open the box without
// blocking: the box loaded afresh and centred on the screen, not yet shown...
std::unique_ptr<AboutBox> LoadAboutBox(QWidget *owner, Shell &shell, const ImageList &images,
                                       const ZoomLevel &zoom = ZoomLevel::Unzoomed());

// ...and the whole click: load, show modally, return once it is closed.
void ShowAboutBox(QWidget *owner, Shell &shell, const ImageList &images,
                  const ZoomLevel &zoom = ZoomLevel::Unzoomed());
