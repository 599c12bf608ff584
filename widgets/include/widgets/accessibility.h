#pragma once

// What a screen reader hears of the game's own widgets. Qt knows a
// PictureButton only as a plain widget (a "filler" with a name), and lists
// every child of a window, hidden or not: the templates the window keeps
// hidden for copying would be read as unnamed controls.
namespace accessibility {

// Installs the game's accessible interfaces: a picture button is a push
// button (a radio button once it is given a checked state) that a press
// action clicks; a plain widget lists only the children it shows, and a
// plain top-level widget is a window. Call once where the application
// starts, before the first window is built: Qt keeps the interface it made
// first for each widget.
void InstallFactory();

} // namespace accessibility
