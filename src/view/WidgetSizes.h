// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The widgets' own sizes, in pixels unless said otherwise: how wide a dialog opens, how much
// room a read-out keeps so that it does not jump as its number grows.
namespace quorvel::sizes {

constexpr int ViewOptionsWidth = 360, TextDialogWidth = 380;
constexpr int FpsReadout = 24;           // "30" and the like, beside the playback slider
constexpr int ColorSwatch = 18;          // the colour picked up from the canvas
constexpr int ToolIcon = 24;             // the tool buttons' drawn icons
constexpr int SpacingReadout = 24;       // the numbers beside the tool controls
constexpr int StatusReadout = 52;        // point count, X and Y in the status bar: up to "-32768"
constexpr int FrameNumber = 36;          // the strip's frame numbers: up to "10000"
constexpr int ProjectorCharacters = 24;  // the projector box, in characters: an address and port
constexpr double FontSamplePoints = 12;  // the text dialog's font button shows the font at this size
// Room beside a message box's caption for the title bar's icon and buttons.
constexpr int CaptionButtons = 160;

}  // namespace quorvel::sizes
