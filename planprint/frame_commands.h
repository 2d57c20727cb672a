// The commands of Planprint's menu and toolbar that need no window of their
// own: the two imports, Move Model, Show Grid Lines, Refresh and the empty
// document's New, Open and Save.
#pragma once

#include <string>

// Start-up: the tables with their default rows, the stored tile settings and
// the preview's start. Exit: the settings stored, the tables freed.
void StartPlanprintState();
void EndPlanprintState();

// "<path with its extension replaced by ext> - Planprint"
std::string ImportTitle(const std::string& path, const char* ext);

// File/Import Trussforge2D File and File/Import Trussforge3D File: true when
// a model was taken (the title and the printed path change only then).
bool ImportModelFile2d();
bool ImportModelFile3d();

// Edit/Move Model: on, or off ending any drag.
void ToggleMoveModel();
void ToggleShowGridLines();
// View/Refresh: the projection applied again.
void RefreshProjection();

// The document holds no data: New and Open change only the title, and Save
// never writes over a file that exists.
void DocumentNew();
void DocumentOpen();
void DocumentSave();
