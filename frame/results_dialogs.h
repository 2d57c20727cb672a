// The results dialogs: Member Results and Joint Results (modeless) and
// Model Data (modal). Values are shown cut, not rounded, to their decimals.
#pragma once

#include "frame/dialog_controls.h"

class MemberResultsViewer {
public:
    explicit MemberResultsViewer(DialogControls& controls) : c_(controls) {}
    void Create();
    // Shown again (menu or pick): the picked member, or the first.
    void ShowAgain();
    void Next();
    void Previous();
    void Close();
    // Follows the member table: the number kept within the live rows and
    // the values shown again when the table changed. False when no member
    // is left: the window closes.
    bool Refresh();
    int Number() const { return m_; }

private:
    void Fill();
    void Step(int delta);

    DialogControls& c_;
    int m_ = 1;
    short shownCount_ = -1;
};

class JointResultsViewer {
public:
    explicit JointResultsViewer(DialogControls& controls) : c_(controls) {}
    void Create();
    void ShowAgain();
    void Next();
    void Previous();
    bool Ok();  // true: the window closes with the limits taken
    void Close();
    void Defaults();
    bool Refresh();
    int Number() const { return n_; }

private:
    void LoadResults();
    void Step(int delta);
    bool ExchangeLimits(bool save);

    DialogControls& c_;
    int n_ = 1;
    short shownCount_ = -1;
    float limits_[6] = {};
};

// Model Data: weight, counts, largest deflections and total applied load.
void FillModelData(DialogControls& controls);
