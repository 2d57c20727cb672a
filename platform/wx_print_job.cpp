#include "platform/wx_print_job.h"

#include <cairo-pdf.h>
#include <cairo-ps.h>
#include <gtk/gtk.h>
#include <gtk/gtkunixprint.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include <wx/dialog.h>
#include <wx/modalhook.h>
#include <wx/progdlg.h>
#include <wx/window.h>

#include "platform/cairo_print_dc.h"

namespace platform {

namespace {

// What the dialog offered last time (printer, file name, copies) is offered
// again; the pages never are: each print starts with all of them.
GtkPrintSettings* g_lastSettings = nullptr;

void KeepForNextPrint(GtkPrintSettings* chosen)
{
    if (g_lastSettings) g_object_unref(g_lastSettings);
    g_lastSettings = gtk_print_settings_copy(chosen);
    gtk_print_settings_set_print_pages(g_lastSettings, GTK_PRINT_PAGES_ALL);
    gtk_print_settings_unset(g_lastSettings, GTK_PRINT_SETTINGS_PAGE_RANGES);
    gtk_print_settings_set_page_set(g_lastSettings, GTK_PAGE_SET_ALL);
}

const struct {
    const Paper* paper;
    const char* gtkName;
} kPaperNames[] = {
    {&kPaperLetter, GTK_PAPER_NAME_LETTER}, {&kPaperLegal, GTK_PAPER_NAME_LEGAL}, {&kPaperTabloid, "na_ledger"},
    {&kPaperA4, GTK_PAPER_NAME_A4},         {&kPaperA3, GTK_PAPER_NAME_A3},
};

GtkPageSetup* NewPageSetup(const PrintDialogRequest& request)
{
    GtkPageSetup* setup = gtk_page_setup_new();
    if (request.paper) {
        GtkPaperSize* size = nullptr;
        for (const auto& p : kPaperNames)
            if (std::fabs(p.paper->widthPt - request.paper->widthPt) < 0.5 &&
                std::fabs(p.paper->heightPt - request.paper->heightPt) < 0.5)
                size = gtk_paper_size_new(p.gtkName);
        if (!size)
            size = gtk_paper_size_new_custom("custom", request.paper->name, request.paper->widthPt,
                                             request.paper->heightPt, GTK_UNIT_POINTS);
        gtk_page_setup_set_paper_size_and_default_margins(setup, size);
        gtk_paper_size_free(size);
    }
    gtk_page_setup_set_orientation(setup, request.orientation == Orientation::Landscape
                                              ? GTK_PAGE_ORIENTATION_LANDSCAPE
                                              : GTK_PAGE_ORIENTATION_PORTRAIT);
    return setup;
}

PrintChoice ChoiceFromSettings(GtkPrintSettings* settings)
{
    PrintChoice choice;
    if (gtk_print_settings_get_print_pages(settings) == GTK_PRINT_PAGES_RANGES) {
        gint count = 0;
        GtkPageRange* ranges = gtk_print_settings_get_page_ranges(settings, &count);
        for (gint i = 0; i < count; ++i)
            choice.ranges.push_back({ranges[i].start + 1, ranges[i].end < 0 ? INT_MAX : ranges[i].end + 1});
        g_free(ranges);
        // An empty range field prints nothing rather than everything.
        if (choice.ranges.empty()) choice.ranges.push_back({0, 0});
    }
    choice.copies = gtk_print_settings_get_n_copies(settings);
    choice.collate = gtk_print_settings_get_collate(settings) != FALSE;
    choice.reverse = gtk_print_settings_get_reverse(settings) != FALSE;
    return choice;
}

SheetGeometry GeometryOf(GtkPageSetup* setup, bool wholeSheet)
{
    SheetGeometry g;
    g.sheetWidth = gtk_page_setup_get_paper_width(setup, GTK_UNIT_POINTS);
    g.sheetHeight = gtk_page_setup_get_paper_height(setup, GTK_UNIT_POINTS);
    if (wholeSheet) {
        g.printableWidth = g.sheetWidth;
        g.printableHeight = g.sheetHeight;
    } else {
        g.printableLeft = gtk_page_setup_get_left_margin(setup, GTK_UNIT_POINTS);
        g.printableTop = gtk_page_setup_get_top_margin(setup, GTK_UNIT_POINTS);
        g.printableWidth = gtk_page_setup_get_page_width(setup, GTK_UNIT_POINTS);
        g.printableHeight = gtk_page_setup_get_page_height(setup, GTK_UNIT_POINTS);
    }
    return g;
}

bool IsFilePrinter(GtkPrinter* printer)
{
    GtkPrintBackend* backend = gtk_printer_get_backend(printer);
    return backend && std::strcmp(G_OBJECT_TYPE_NAME(backend), "GtkPrintBackendFile") == 0;
}

// The file that "Print to File" names; the dialog's default when it names none.
std::string OutputPath(GtkPrintSettings* settings)
{
    const gchar* uri = gtk_print_settings_get(settings, GTK_PRINT_SETTINGS_OUTPUT_URI);
    if (uri) {
        if (gchar* file = g_filename_from_uri(uri, nullptr, nullptr)) {
            std::string path = file;
            g_free(file);
            return path;
        }
    }
    gchar* cwd = g_get_current_dir();
    std::string path = std::string(cwd) + "/output.pdf";
    g_free(cwd);
    return path;
}

// A job on a printer. The pages and copies are chosen and drawn here, so the
// job's own settings ask for every page once.
class GtkJobPrintDC : public CairoPrintDC {
public:
    GtkJobPrintDC(GtkPrinter* printer, GtkPrintSettings* settings, GtkPageSetup* setup)
        : CairoPrintDC(GeometryOf(setup, false)),
          printer_(GTK_PRINTER(g_object_ref(printer))),
          settings_(gtk_print_settings_copy(settings)),
          setup_(gtk_page_setup_copy(setup))
    {
        gtk_print_settings_set_print_pages(settings_, GTK_PRINT_PAGES_ALL);
        gtk_print_settings_set_n_copies(settings_, 1);
        gtk_print_settings_set_collate(settings_, FALSE);
        gtk_print_settings_set_reverse(settings_, FALSE);
    }

    ~GtkJobPrintDC() override
    {
        AbortDoc();
        g_object_unref(setup_);
        g_object_unref(settings_);
        g_object_unref(printer_);
    }

protected:
    cairo_surface_t* OpenSurface(const std::string& jobName) override
    {
        job_ = gtk_print_job_new(jobName.c_str(), printer_, settings_, setup_);
        GError* error = nullptr;
        cairo_surface_t* surface = gtk_print_job_get_surface(job_, &error);
        if (!surface) {
            Fail(error ? error->message : "The printer gave no surface to draw on");
            if (error) g_error_free(error);
            Discard();
            return nullptr;
        }
        return cairo_surface_reference(surface);
    }

    bool PrepareSheet(cairo_surface_t* surface) override
    {
        const bool landscape = sheet_.sheetWidth > sheet_.sheetHeight;
        switch (cairo_surface_get_type(surface)) {
        case CAIRO_SURFACE_TYPE_PDF: cairo_pdf_surface_set_size(surface, sheet_.sheetWidth, sheet_.sheetHeight); break;
        case CAIRO_SURFACE_TYPE_PS:
            cairo_ps_surface_set_size(surface, sheet_.sheetWidth, sheet_.sheetHeight);
            cairo_ps_surface_dsc_begin_page_setup(surface);
            cairo_ps_surface_dsc_comment(surface, landscape ? "%%PageOrientation: Landscape"
                                                            : "%%PageOrientation: Portrait");
            break;
        default: break;
        }
        return true;
    }

    bool Deliver() override
    {
        sending_ = true;
        sendError_.clear();
        gtk_print_job_send(job_, &GtkJobPrintDC::Sent, this, nullptr);
        while (sending_) g_main_context_iteration(nullptr, TRUE);
        Discard();
        return sendError_.empty() ? true : Fail(sendError_);
    }

    void Discard() override
    {
        if (job_) g_object_unref(job_);
        job_ = nullptr;
    }

private:
    static void Sent(GtkPrintJob*, gpointer data, const GError* error)
    {
        auto* self = static_cast<GtkJobPrintDC*>(data);
        if (error) self->sendError_ = error->message;
        self->sending_ = false;
    }

    GtkPrinter* printer_;
    GtkPrintSettings* settings_;
    GtkPageSetup* setup_;
    GtkPrintJob* job_ = nullptr;
    bool sending_ = false;
    std::string sendError_;
};

// The dialog as a toolkit dialog, so that a modal-dialog hook sees it.
class CSystemPrintDialog : public wxDialog {
public:
    CSystemPrintDialog(wxWindow* parent, const PrintDialogRequest& request, PrintTarget& target)
        : parent_(parent), request_(request), target_(target)
    {
    }

    int ShowModal() override
    {
        WX_HOOK_MODAL_DIALOG();
        GtkWindow* owner = nullptr;
        if (parent_ && parent_->GetHandle())
            owner = GTK_WINDOW(gtk_widget_get_toplevel(static_cast<GtkWidget*>(parent_->GetHandle())));
        GtkWidget* dialog = gtk_print_unix_dialog_new(request_.jobName.c_str(), owner);
        auto* printDialog = GTK_PRINT_UNIX_DIALOG(dialog);
        gtk_print_unix_dialog_set_manual_capabilities(
            printDialog, static_cast<GtkPrintCapabilities>(GTK_PRINT_CAPABILITY_PAGE_SET | GTK_PRINT_CAPABILITY_COPIES |
                                                    GTK_PRINT_CAPABILITY_COLLATE | GTK_PRINT_CAPABILITY_REVERSE |
                                                    GTK_PRINT_CAPABILITY_GENERATE_PDF));
        if (g_lastSettings) gtk_print_unix_dialog_set_settings(printDialog, g_lastSettings);
        GtkPageSetup* setup = NewPageSetup(request_);
        gtk_print_unix_dialog_set_page_setup(printDialog, setup);
        g_object_unref(setup);
        gtk_print_unix_dialog_set_current_page(printDialog, -1);

        const gint response = gtk_dialog_run(GTK_DIALOG(dialog));
        gtk_widget_hide(dialog);
        // After the dialog's own "replace the file?" box, the dialog and the
        // box close at once and a window manager (openbox) hands the focus
        // to another program's window: take it back for the owner.
        if (owner) gtk_window_present_with_time(owner, gtk_get_current_event_time());
        int result = wxID_CANCEL;
        GtkPrinter* printer = gtk_print_unix_dialog_get_selected_printer(printDialog);
        if (response == GTK_RESPONSE_OK && printer) {
            GtkPrintSettings* settings = gtk_print_unix_dialog_get_settings(printDialog);
            GtkPageSetup* chosen = gtk_print_unix_dialog_get_page_setup(printDialog);
            KeepForNextPrint(settings);
            target_.choice = ChoiceFromSettings(settings);
            if (IsFilePrinter(printer)) {
                const SheetGeometry g = GeometryOf(chosen, true);
                const Paper paper = {"", std::min(g.sheetWidth, g.sheetHeight), std::max(g.sheetWidth, g.sheetHeight)};
                target_.dc = CreatePdfPrintDC(OutputPath(settings), paper,
                                              g.sheetWidth > g.sheetHeight ? Orientation::Landscape
                                                                           : Orientation::Portrait);
            } else {
                target_.dc = std::make_unique<GtkJobPrintDC>(printer, settings, chosen);
            }
            g_object_unref(settings);
            result = wxID_OK;
        }
        gtk_widget_destroy(dialog);
        return result;
    }

private:
    wxWindow* parent_;
    const PrintDialogRequest& request_;
    PrintTarget& target_;
};

class WxPrintProgress : public PrintProgress {
public:
    WxPrintProgress(wxWindow* parent, const std::string& jobName) : parent_(parent), title_(wxString::FromUTF8(jobName))
    {
    }

    bool Update(int done, int total) override
    {
        if (!box_) {
            if (total < 2) return true;
            box_ = std::make_unique<wxProgressDialog>(title_, Text(done, total), total, parent_,
                                                      wxPD_APP_MODAL | wxPD_CAN_ABORT | wxPD_AUTO_HIDE);
        }
        return box_->Update(done, Text(done, total));
    }

private:
    static wxString Text(int done, int total)
    {
        return done < total ? wxString::Format("Printing page %d of %d", done + 1, total) : wxString("Printed");
    }

    wxWindow* parent_;
    wxString title_;
    std::unique_ptr<wxProgressDialog> box_;
};

}  // namespace

bool ShowSystemPrintDialog(wxWindow* parent, const PrintDialogRequest& request, PrintTarget& target)
{
    CSystemPrintDialog dialog(parent, request, target);
    return dialog.ShowModal() == wxID_OK;
}

std::unique_ptr<PrintProgress> ShowPrintProgress(wxWindow* parent, const std::string& jobName)
{
    return std::make_unique<WxPrintProgress>(parent, jobName);
}

}  // namespace platform
