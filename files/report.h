// Results report (File/Save Output File) and the text-file helpers shared by
// the files subsystem's writers.
#pragma once

#include "files/text_io.h"

#include <clocale>
#include <cstddef>
#include <cstdio>
#include <ctime>
#include <functional>
#include <locale.h>
#include <string>

// Source of the local date and time printed in the report header. An empty
// function restores the system clock.
using ReportClock = std::function<std::tm()>;
void SetReportClock(ReportClock clock);

// Each formatter empties the report buffer (g_szReportBuffer), leaves its
// text there and returns the text's length (0 when the section is empty).
int FormatReportHeader();
int FormatJointData();
int FormatMemberData();
int FormatMaterialData();
int FormatShapeData();
int FormatLoadData();
int FormatBillOfMaterials();
int FormatUltimateForces();
int FormatActualForces();
int FormatStrengthRatios();

// Writes the header and the chosen sections. Saved on success; NotSaved when
// the file could not be created or a write failed (no partial file is left
// then); MayBeDamaged when the failure may have damaged the file.
platform::SaveResult WriteOutputFile(const std::string& path);


