// A dialog's controls as a table, for driving the dialogs' logic headless.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "frame/dialog_controls.h"

struct FakeControl {
    std::string text;
    bool checked = false;
    std::vector<std::string> choices;
    int selection = -1;
    int slider = 0;
    bool enabled = true, shown = true, readOnly = false;
    unsigned char swatch[3] = {0, 0, 0};
};

class FakeControls : public DialogControls {
public:
    std::string Text(int id) const override { return Get(id).text; }
    void SetText(int id, const std::string& t) override { c[id].text = t; }
    bool Checked(int id) const override { return Get(id).checked; }
    void SetChecked(int id, bool on) override { c[id].checked = on; }
    void SetChoices(int id, const std::vector<std::string>& items) override { c[id].choices = items; }
    int Selection(int id) const override { return Get(id).selection; }
    void SetSelection(int id, int index) override { c[id].selection = index; }
    int SliderPos(int id) const override { return Get(id).slider; }
    void SetSliderPos(int id, int pos) override { c[id].slider = pos; }
    void Enable(int id, bool on) override { c[id].enabled = on; }
    void Show(int id, bool on) override { c[id].shown = on; }
    void SetReadOnly(int id, bool on) override { c[id].readOnly = on; }
    void Focus(int id) override { focus = id; }
    void SetSwatch(int id, unsigned char r, unsigned char g, unsigned char b) override
    {
        c[id].swatch[0] = r, c[id].swatch[1] = g, c[id].swatch[2] = b;
    }
    double Number(int id) const { return std::stod(Text(id)); }

    std::map<int, FakeControl> c;
    int focus = 0;

private:
    FakeControl Get(int id) const
    {
        auto it = c.find(id);
        return it == c.end() ? FakeControl() : it->second;
    }
};
