// Reading PDF files in tests with poppler's tools: page count, size and
// title (pdfinfo), words with their boxes (pdftotext -bbox), and a page as
// grey pixels (pdftoppm).
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

inline std::string ToolOutput(const std::string& command)
{
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buf[65536];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
        pclose(p);
    }
    return out;
}

struct PdfInfo {
    int pages = 0;
    double widthPt = 0, heightPt = 0;  // of page 1
    std::string title;
};

inline PdfInfo ReadPdfInfo(const std::string& path)
{
    PdfInfo info;
    const std::string text = "\n" + ToolOutput("pdfinfo '" + path + "' 2>/dev/null");
    auto after = [&text](const std::string& key) {
        const size_t at = text.find("\n" + key);
        if (at == std::string::npos) return std::string();
        size_t start = at + key.size() + 1;
        while (start < text.size() && text[start] == ' ') ++start;
        return text.substr(start, text.find('\n', start) - start);
    };
    info.pages = std::atoi(after("Pages:").c_str());
    std::sscanf(after("Page size:").c_str(), "%lf x %lf", &info.widthPt, &info.heightPt);
    info.title = after("Title:");
    return info;
}

struct PdfWord {
    int page;  // from 1
    double xMin, yMin, xMax, yMax;
    std::string text;
};

inline std::vector<PdfWord> ReadPdfWords(const std::string& path)
{
    std::vector<PdfWord> words;
    const std::string html = ToolOutput("pdftotext -bbox '" + path + "' - 2>/dev/null");
    int page = 0;
    for (size_t at = 0; (at = html.find('<', at)) != std::string::npos; ++at) {
        if (html.compare(at, 6, "<page ") == 0) ++page;
        if (html.compare(at, 6, "<word ") != 0) continue;
        PdfWord w{page, 0, 0, 0, 0, ""};
        std::sscanf(html.c_str() + at, "<word xMin=\"%lf\" yMin=\"%lf\" xMax=\"%lf\" yMax=\"%lf\"", &w.xMin, &w.yMin,
                    &w.xMax, &w.yMax);
        const size_t open = html.find('>', at) + 1;
        w.text = html.substr(open, html.find("</word>", open) - open);
        words.push_back(w);
    }
    return words;
}

// The first word with this text, or one with page 0.
inline PdfWord FindPdfWord(const std::vector<PdfWord>& words, const std::string& text, int page = 0)
{
    for (const PdfWord& w : words)
        if (w.text == text && (page == 0 || w.page == page)) return w;
    return PdfWord{0, 0, 0, 0, 0, ""};
}

// One page as grey pixels, 0 black .. 255 white.
struct PdfRaster {
    int width = 0, height = 0;
    double dpi = 0;
    std::vector<unsigned char> grey;

    bool Dark(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < width && y < height && grey[static_cast<size_t>(y) * width + x] < 160;
    }
    // Pixels per point.
    double Scale() const { return dpi / 72.0; }
    // The dark pixels' bounding box within the given box (pixels), or false.
    bool DarkBox(int x0, int y0, int x1, int y1, int* left, int* top, int* right, int* bottom) const
    {
        bool any = false;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                if (!Dark(x, y)) continue;
                if (!any) *left = *right = x, *top = *bottom = y;
                any = true;
                if (x < *left) *left = x;
                if (x > *right) *right = x;
                if (y < *top) *top = y;
                if (y > *bottom) *bottom = y;
            }
        return any;
    }
    // Centre (in points) of the dark run through pixel row y that contains
    // the point nearest x, or -1; likewise down a column.
    double RunCentreInRow(int y, double xPt) const { return RunCentre(xPt, [&](int i) { return Dark(i, y); }, width); }
    double RunCentreInColumn(int x, double yPt) const
    {
        return RunCentre(yPt, [&](int i) { return Dark(x, i); }, height);
    }

private:
    template <class F>
    double RunCentre(double atPt, F dark, int size) const
    {
        const int at = static_cast<int>(atPt * Scale());
        int start = -1;
        for (int d = 0; d <= 3 && start < 0; ++d) {
            if (dark(at - d)) start = at - d;
            else if (dark(at + d)) start = at + d;
        }
        if (start < 0) return -1;
        int lo = start, hi = start;
        while (lo > 0 && dark(lo - 1)) --lo;
        while (hi + 1 < size && dark(hi + 1)) ++hi;
        return (lo + hi + 1) / 2.0 / Scale();
    }
};

inline PdfRaster RasterisePdfPage(const std::string& path, int page, double dpi)
{
    PdfRaster r;
    r.dpi = dpi;
    const std::string pgm = ToolOutput("pdftoppm -gray -r " + std::to_string(dpi) + " -f " + std::to_string(page) +
                                       " -l " + std::to_string(page) + " '" + path + "' 2>/dev/null");
    int maxval = 0, consumed = 0;
    if (std::sscanf(pgm.c_str(), "P5 %d %d %d%n", &r.width, &r.height, &maxval, &consumed) != 3) return PdfRaster();
    const size_t start = static_cast<size_t>(consumed) + 1;
    if (pgm.size() < start + static_cast<size_t>(r.width) * r.height) return PdfRaster();
    r.grey.assign(pgm.begin() + start, pgm.begin() + start + static_cast<size_t>(r.width) * r.height);
    return r;
}
