// What the dialogs' logic sees of a dialog window: its controls by id. The
// toolkit dialogs implement it over their windows; tests implement it over
// a table. The data exchange reads and checks edit fields against their
// ranges the way every dialog of the program does.
#pragma once

#include <functional>
#include <string>
#include <vector>

class DialogControls {
public:
    virtual ~DialogControls() = default;
    // Edit fields and labels.
    virtual std::string Text(int id) const = 0;
    virtual void SetText(int id, const std::string& text) = 0;
    // Check boxes and radio buttons.
    virtual bool Checked(int id) const = 0;
    virtual void SetChecked(int id, bool on) = 0;
    // Drop-down lists.
    virtual void SetChoices(int id, const std::vector<std::string>& items) = 0;
    virtual int Selection(int id) const = 0;
    virtual void SetSelection(int id, int index) = 0;
    // Sliders.
    virtual int SliderPos(int id) const = 0;
    virtual void SetSliderPos(int id, int pos) = 0;
    // Any control.
    virtual void Enable(int id, bool on) = 0;
    virtual void Show(int id, bool on) = 0;
    virtual void SetReadOnly(int id, bool on) = 0;
    // Puts the keyboard focus in the field and selects its text.
    virtual void Focus(int id) = 0;
    // Background colour of a colour strip.
    virtual void SetSwatch(int id, unsigned char r, unsigned char g, unsigned char b) = 0;
};

// Numbers as an edit field shows them: six significant digits, or as many
// more as the float needs to read back unchanged.
std::string FormatNumber(double value);
// Whole numbers.
std::string FormatInteger(long value);
// A number cut (not rounded) to decimals places: 22.6796 to 2 gives 22.67.
float CutDecimals(float value, int decimals);
// The first bytes of text, at most maxBytes, never splitting a character.
std::string TruncateText(const std::string& text, size_t maxBytes);

// Reads (save) or shows (load) a dialog's fields. When saving, each field is
// parsed and checked against its range; at the first failure the user is
// told with the range message, the field gets the focus, and nothing read is
// written back: a failed exchange changes no value. On success Commit()
// writes every value read.
class DataExchange {
public:
    DataExchange(DialogControls& controls, bool save) : c_(controls), save_(save) {}

    void Float(int id, float& value, double min, double max);
    void Float(int id, float& value);  // any number
    void Short(int id, short& value, int min, int max);
    void Text(int id, std::string& value, size_t maxBytes);
    void Check(int id, int& value);

    // True while no field has failed.
    bool Ok() const { return ok_; }
    // Writes the values read (save mode); returns Ok().
    bool Commit();

private:
    bool ReadNumber(int id, bool integer, double min, double max, bool ranged, double& out);

    DialogControls& c_;
    bool save_;
    bool ok_ = true;
    std::vector<std::function<void()>> writes_;
};

// The messages of a field that cannot be read.
std::string RangeMessage(double min, double max, bool integer);
std::string NotANumberMessage(bool integer);
