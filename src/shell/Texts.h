// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's own captions and messages, word for word, in the words translations start from.
#include "model/Text.h"

namespace quorvel {

inline constexpr Text MainTitle{QT_TRANSLATE_NOOP("Texts", "Quorvel Laser Editor")};
inline constexpr Text AppTitle{QT_TRANSLATE_NOOP("Texts", "Quorvel Editor")};
inline constexpr Text SaveQuestion{QT_TRANSLATE_NOOP("Texts", "File changed. Do you want to save it?")};
inline constexpr Text RecoverQuestion{
    QT_TRANSLATE_NOOP("Texts", "The last session ended without saving. Recover its %1 frames?")};
inline constexpr Text RecoverFileQuestion{
    QT_TRANSLATE_NOOP("Texts", "The last session ended without saving. Recover its %1 frames of %2?")};
inline constexpr Text ReplaceQuestion{QT_TRANSLATE_NOOP("Texts", "%1 already exists. Replace it?")};
inline constexpr Text IldaFilter{QT_TRANSLATE_NOOP("Texts", "ILDA Files *.ILD|*.ild")};
inline constexpr Text SequenceFullNote{QT_TRANSLATE_NOOP("Texts", "The sequence is full (10000 frames).")};
inline constexpr Text TooManyFramesNote{QT_TRANSLATE_NOOP("Texts", "Only the first 10000 frames were loaded.")};
inline constexpr Text FileUnreadableNote{QT_TRANSLATE_NOOP("Texts", "The file could not be read: %1")};
inline constexpr Text FileUnwritableNote{QT_TRANSLATE_NOOP("Texts", "The file could not be written: %1")};
inline constexpr Text NothingToSave{
    QT_TRANSLATE_NOOP("Texts", "the frame buffer file could not be started, so it holds no sequence to save")};
inline constexpr Text NoFramesToSave{QT_TRANSLATE_NOOP("Texts", "the sequence has no frames")};
inline constexpr Text FrameUnreadable{
    QT_TRANSLATE_NOOP("Texts", "Frame %1 could not be read from the frame buffer file.")};
inline constexpr Text FlickerWarning{
    QT_TRANSLATE_NOOP("Texts",
                      "At %1 kpps the projector redraws this frame fewer than %2 times a second: it will flicker. "
                      "Use fewer points or a faster projector (View Options).")};
inline constexpr Text SdCardFilter{QT_TRANSLATE_NOOP("Texts", "ILDA for SD-card projectors *.ILD|*.ild")};
inline constexpr Text NotShortName{QT_TRANSLATE_NOOP("Texts", "SD cards may need a name like SHOW01.ILD.")};
inline constexpr Text ExportedNote{QT_TRANSLATE_NOOP("Texts", "Exported %1 frames for SD-card projectors to %2.")};
inline constexpr Text SavedNote{QT_TRANSLATE_NOOP("Texts", "Saved %1 frames.")};
inline constexpr Text NoPointsToCopy{QT_TRANSLATE_NOOP("Texts", "No points selected to copy")};
inline constexpr Text NoPointsToCut{QT_TRANSLATE_NOOP("Texts", "No points selected to cut")};
inline constexpr Text TrueColorIntoIndexed{
    QT_TRANSLATE_NOOP("Texts", "True color points could not be inserted into indexed color space")};
inline constexpr Text NoRoomForPaste{
    QT_TRANSLATE_NOOP("Texts", "Not enough room: the frame would have more than 20000 points.")};
// PNG is offered beside BMP and JPEG: the picture loader reads it as well.
inline constexpr Text ImageFilter{QT_TRANSLATE_NOOP("Texts", "Image Files *.BMP,*.JPG|*.bmp;*.jpg;*.jpeg;*.png")};
inline constexpr Text RecentFileGone{
    QT_TRANSLATE_NOOP("Texts", "%1 is no longer there: it was taken off Recent Files.")};
inline constexpr Text PictureUnreadable{QT_TRANSLATE_NOOP("Texts", "The picture could not be read.")};
inline constexpr Text OptimisedNote{QT_TRANSLATE_NOOP("Texts", "Optimised: %1 \u2192 %2 points, %3 corners held.")};
inline constexpr Text NothingToOptimise{QT_TRANSLATE_NOOP("Texts", "Nothing to optimise.")};
inline constexpr Text SettingsUnkeptNote{
    QT_TRANSLATE_NOOP("Texts", "Settings and Recent Files cannot be kept: %1 takes no files.")};
inline constexpr Text SvgFilter{QT_TRANSLATE_NOOP("Texts", "SVG Drawings *.SVG|*.svg;*.svgz")};
inline constexpr Text SvgUnreadable{QT_TRANSLATE_NOOP("Texts", "%1 could not be read as an SVG drawing: %2.")};
inline constexpr Text SvgImportedNote{
    QT_TRANSLATE_NOOP("Texts", "Imported %1: %2 outlines, %3 points, %4 elements left out.")};
inline constexpr Text SvgFrameFullNote{QT_TRANSLATE_NOOP("Texts", "The frame is full: %1 of %2 outlines imported.")};
inline constexpr Text ChooseAFrameFirst{
    QT_TRANSLATE_NOOP("Texts", "Choose a frame in the strip first: the drawings are added to it.")};
inline constexpr Text OneSequenceAtATime{
    QT_TRANSLATE_NOOP("Texts", "One sequence is open at a time: %1 is open, the other ILDA files are not.")};
inline constexpr Text NotDroppable{
    QT_TRANSLATE_NOOP("Texts", "%1 is no ILDA file, SVG drawing or picture the editor takes.")};
inline constexpr Text ImportingDrawings{QT_TRANSLATE_NOOP("Texts", "Importing drawings...")};
inline constexpr Text CancellingWork{QT_TRANSLATE_NOOP("Texts", "Cancelling...")};
inline constexpr Text SvgFramesNote{
    QT_TRANSLATE_NOOP("Texts", "Imported %1 drawings as frames %2 to %3, %4 elements left out.")};

// Undo and Redo of the frame commands name the command they take back.
inline constexpr Text UndoneNote{QT_TRANSLATE_NOOP("Texts", "Undone: %1")};
inline constexpr Text RedoneNote{QT_TRANSLATE_NOOP("Texts", "Redone: %1")};
inline constexpr Text NoRoomForUndo{QT_TRANSLATE_NOOP(
    "Texts", "The frames this changes cannot be kept for Undo: %1.\nChange them all the same, without Undo?")};
inline constexpr Text StepInsertFrame{QT_TRANSLATE_NOOP("Texts", "Insert Frame")};
inline constexpr Text StepDuplicateFrame{QT_TRANSLATE_NOOP("Texts", "Duplicate Frame")};
inline constexpr Text StepMoveFrame{QT_TRANSLATE_NOOP("Texts", "Move Frame")};
inline constexpr Text StepDeleteFrames{QT_TRANSLATE_NOOP("Texts", "Delete Frames")};
inline constexpr Text StepReverseFrames{QT_TRANSLATE_NOOP("Texts", "Reverse Frames")};
inline constexpr Text StepTween{QT_TRANSLATE_NOOP("Texts", "Tween")};
inline constexpr Text StepTransformFrames{QT_TRANSLATE_NOOP("Texts", "Transform over frames")};
inline constexpr Text StepImportFrames{QT_TRANSLATE_NOOP("Texts", "Import SVG as frames")};

}  // namespace quorvel
