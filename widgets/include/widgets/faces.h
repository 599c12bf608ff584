#pragma once

// The pictures of the image list by what they show. Pictures 1..12 are the
// animal tokens; the rest are the faces of the picture buttons: normal,
// pressed (normal + 10) and greyed (normal + 20) for the set-up and confirm
// buttons, and the two start-mode buttons' selected and unselected faces.
namespace face {

enum Face : int {
    None = 0,
    FirstToken = 1,
    LastToken = 12,

    Up = 13,
    Down = 14,
    Add = 15,
    Delete = 16,
    Clear = 17,
    Confirm = 18,
    Reset = 19,
    About = 20,
    Help = 21,
    End = 22,

    UpPressed = 23,
    DownPressed = 24,
    AddPressed = 25,
    DeletePressed = 26,
    ClearPressed = 27,
    ConfirmPressed = 28,
    ResetPressed = 29,
    AboutPressed = 30,
    HelpPressed = 31,
    EndPressed = 32,

    UpGrey = 33,
    DownGrey = 34,
    AddGrey = 35,
    DeleteGrey = 36,
    ClearGrey = 37,
    ConfirmGrey = 38,
    ResetGrey = 39,

    // picStart1 ("선택시작") and picStart0 ("전체시작"), selected or not.
    OneByOneOn = 40,
    OneByOneOff = 41,
    AllAtOnceOn = 42,
    AllAtOnceOff = 43,
    OneByOneOnGrey = 44,
    OneByOneOffGrey = 45,
    AllAtOnceOnGrey = 46,
    AllAtOnceOffGrey = 47,

    Print = 48,
    PrintPressed = 49,
};

} // namespace face
