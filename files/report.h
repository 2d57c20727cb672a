// Results report (File/Save Output File) and the text-file helpers shared by
// the files subsystem's writers.
#pragma once

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

// Writes the header and the chosen sections. 1 on success; 0 when the file
// could not be created or a write failed (no partial file is left then).
int WriteOutputFile(const std::string& path);

// Makes numbers and dates use the "C" conventions on this thread for the
// lifetime of the object, whatever the user's locale.
class CLocaleScopeC {
public:
    CLocaleScopeC();
    ~CLocaleScopeC();
    CLocaleScopeC(const CLocaleScopeC&) = delete;
    CLocaleScopeC& operator=(const CLocaleScopeC&) = delete;

private:
    locale_t m_previous = (locale_t)0;
};

// Text file in the program's text mode: every '\n' is written as CR LF.
// A file that was not finished successfully is removed.
class CTextFileWriter {
public:
    CTextFileWriter() = default;
    ~CTextFileWriter();
    CTextFileWriter(const CTextFileWriter&) = delete;
    CTextFileWriter& operator=(const CTextFileWriter&) = delete;

    bool Create(const std::string& path);
    void Write(const char* text, std::size_t length);
    void Write(const std::string& text) { Write(text.data(), text.size()); }
    // Flushes and closes; false when any write, the flush or the close failed.
    bool Finish();

private:
    void Abandon();

    std::FILE* m_file = nullptr;
    std::string m_path;
    bool m_ok = false;
    bool m_regular = false;
};
