#pragma once

#include <QString>

#include <cstdint>

// The banner control as the program drives it. The program only feeds it
// entries and answers its two events (the widget's Cycle and Click signals);
// how a picture is shown and when an entry has had its time is the
// control's own business. VelGif is the on-screen control; tests use a
// recorder.
class BannerControl
{
public:
    virtual ~BannerControl() = default;

    // The text that describes the entry now shown (tooltip and accessible
    // name; shown in place of a picture that cannot be loaded).
    virtual void SetTag(const QString &tag) = 0;
    // Lets the rotation run: the entry shown (now or once it is loaded)
    // gets its time and then the control asks for the next one. Calling it
    // again while the entry's time runs does not restart that time.
    virtual void Start() = 0;
    // Shows the picture named by the image text of a list entry.
    virtual void LoadImage(const QString &image) = 0;
    // Whether a click on the banner should be followed; asked with 1.
    virtual bool QueryClick(std::int16_t what) = 0;
    // Whether the picture named by the image text can be shown.
    virtual bool CheckImage(const QString &image) = 0;
    // The entry's link has just been handed to the shell.
    virtual void NotifyLinkOpened() = 0;
};
