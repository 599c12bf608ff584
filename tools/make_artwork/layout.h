#pragma once

#include <QColor>
#include <QRect>

// Where the window puts the controls that sit on the background, in logical
// pixels of the 792 x 512 client area. The background is painted around
// these boxes, and the faces are designed to fit the boxes that do not grow
// with their picture.
namespace layout {

inline constexpr QRect kTxtMember{92, 32, 18, 17};
inline constexpr QRect kPicUpdown0{118, 20, 19, 21};
inline constexpr QRect kPicUpdown1{118, 42, 21, 22};
inline constexpr QRect kTxtInput{28, 134, 55, 13};
inline constexpr QRect kPicAdd{92, 126, 23, 29};
inline constexpr QRect kLstBul{24, 166, 59, 134};
inline constexpr QRect kPicDel{88, 176, 48, 52};
inline constexpr QRect kPicClear{88, 236, 46, 50};
inline constexpr QRect kPicStart0{36, 362, 79, 19};
inline constexpr QRect kPicStart1{34, 384, 78, 18};
inline constexpr QRect kPicReset{14, 438, 59, 59};
inline constexpr QRect kPicOk{82, 438, 59, 59};
inline constexpr QRect kBanner{206, 12, 341, 49};
inline constexpr QRect kBannerShadow{210, 16, 341, 49};
inline constexpr QRect kPicPrint{586, 12, 50, 48};
inline constexpr QRect kPicAbout{638, 12, 48, 46};
inline constexpr QRect kPicHelp{688, 10, 49, 50};
inline constexpr QRect kPicEnd{738, 12, 48, 48};

// The panel on the left and the playing area on the right.
inline constexpr int kPanelWidth = 150;
inline constexpr QRgb kPanelBlue = 0xff2462d6;
inline constexpr QRgb kPanelBlueDeep = 0xff1b50bb;
inline constexpr QRgb kPlayBlue = 0xffd3e8fb;
inline constexpr QRgb kFramePink = 0xfff7a3c6;
inline constexpr QRgb kNavy = 0xff000080;

} // namespace layout
