// Tiled printing at full scale: one sheet per tile, Cols x Rows sheets, each
// with the part of the model that falls on its tile, a border, the member
// numbers and the model file's path.
#pragma once

namespace platform {
class PrintDC;
struct Paper;
}  // namespace platform

// Sheets of the layout.
int TilePageCount();
// The paper of the tile setup: Tabloid, Legal, or Letter for any other code.
const platform::Paper& TilePaper();

// Counters of a new job.
void BeginTilePrinting();
// Prints the tile of this page (from 1; pages run along a row, then on to
// the next row) onto a sheet of the device.
void PrintTilePage(platform::PrintDC& dc, int page);

// File/Print: the print dialog, then the job; a failure says why in a box.
void PrintTiles();
