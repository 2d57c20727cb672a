// What the Print Tile Setup dialog shows and applies: orientation, paper,
// rows, columns and the two labels.
#pragma once

#include <string>

struct TileSetupValues {
    int orient = 1;  // 1 portrait, 2 landscape
    int paper = 1;   // 1 Letter, 5 Legal, 3 Tabloid
    int rows = 1, cols = 1;
    int printFileName = 0, printMemberNumbers = 0;
};

// The controls' start from the current settings: an unknown paper code
// shows as Tabloid.
TileSetupValues CurrentTileSetup();

// Sets the tile size on the paper, the grid and the labels, the guide plane
// (the whole tiled area) from them, and fits the preview again.
void ApplyTileSetup(const TileSetupValues& values);

// A typed row or column count; false with the message that keeps the dialog
// open.
bool ParseTileCount(const std::string& text, int& value, std::string& message);
