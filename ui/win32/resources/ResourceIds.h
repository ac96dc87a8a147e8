#pragma once

// The ids of the program's resources, shared by the resource script and the code.
#define IDI_APPLICATION_ICON 1

// The folder pane's glyphs, in the order of GlyphName.
#define IDB_FLOPPY 101
#define IDB_HARD 102
#define IDB_NETWORK 103
#define IDB_CDROM 104
#define IDB_RAM 105
#define IDB_OPENFOLDER 106
#define IDB_CURRENTFOLDER 107
#define IDB_CLOSEDFOLDER 108
