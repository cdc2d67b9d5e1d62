#pragma once

#include <windows.h>

#include <functional>

namespace varnook {

// Runs a modal loop for `dialog` until `closed` turns true: the owner is disabled meanwhile and activated
// again afterwards, as a modal dialog does.
void RunModal(HWND dialog, HWND owner, const bool& closed);

// Tests drive modal dialogs with this: while a driver is set, RunModal hands it the shown dialog instead of
// waiting for a user, and then handles messages only until the dialog has closed (the driver closes it).
void SetModalDriver(std::function<void(HWND dialog)> driver);

// Centres a top-level window on the screen's work area.
void CentreOnScreen(HWND window);

// The window's outer size for a wanted client size with its current styles.
SIZE OuterSizeFor(HWND window, int clientWidth, int clientHeight);

}  // namespace varnook
