#pragma once

#include <windows.h>

#include <optional>

namespace lyricast {

class DriveBox;
class FolderList;

// Answers the owner-draw messages that the pane's drive box and folder list
// send their parent: the entry heights (asked while they are being created,
// so by kind of control) and the drawing of each entry. Nothing for any other
// message; a box not created yet may be null.
std::optional<LRESULT> PaneDrawing(UINT message, LPARAM lParam, const DriveBox* driveBox,
                                   const FolderList* folderList);

} // namespace lyricast
