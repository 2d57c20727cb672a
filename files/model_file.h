// 3D model file (.3dd): the model tables and the settings that belong to a
// model. Written as version 4.0; versions 3.0, 3.1, 3.2, 3.3 and 4.0 are read.
#pragma once

#include <string>

#include "files/pending_model.h"

// Filled in by the view once its GL context exists: ResizeGLViewport with
// the view's stored client size. Called at the end of every complete read;
// null (headless runs, tests) skips it. The clear colour goes through
// g_pfnSetClearColor (view/view_globals.h).
extern void (*g_pfnResizeViewportToView)();

// Writes the model to path. 1 = written, 0 = failed; the file that was at
// path before is left untouched on failure, or a box says it may be damaged.
int WriteModelFile(const std::string& path);

// What of the model's state its text holds; the default is all of it, as
// WriteModelFile writes it.
struct ModelTextOptions {
    bool camera = true;  // eye, centre and orbit angles; else written as 0
    // Effective lengths the user did not set (an analysis works them out);
    // else written as 0.
    bool computedEffectiveLengths = true;
};

// The text WriteModelFile would write now (CR LF line ends), without
// writing anything or changing any global. Empty when the model holds a
// number that is not finite.
std::string ModelFileText(const ModelTextOptions& options = {});

// Reads and checks the whole model file at path without changing anything:
// true with what it holds in model, or false with why not in why (one line
// for a box: the line that is malformed, a table limit, "It is a folder.").
bool ReadModelFile(const std::string& path, CPendingModel& model, std::string& why);
// The same for a model file's text held in memory (ModelFileText).
bool ReadModelText(const std::string& text, CPendingModel& model, std::string& why);

// Reads a model file into the tables and settings. 1 = a known version was
// read through; 0 = refused, nothing changed, and why says why when given.
int OpenModelFile(const std::string& path, std::string* why = nullptr);
