// Joint and member property dialogs (modeless), Default Member Properties
// and "Create Joint in Member" (modal).
#pragma once

#include "frame/dialog_controls.h"
#include "model/tables.h"

// A row number kept within the live rows 1..count (0 when there are none).
int ClampRow(int n, int count);
// The next (delta 1) or previous (delta -1) row, wrapping round.
int WrapRow(int n, int delta, int count);

// Joint Properties. Every action that stores writes into the joint shown,
// never into a number typed in the number field (Apply, Previous and Next
// go on from the typed number afterwards), and first makes sure the joint
// it loaded is still the one in its row; when the tables changed under the
// dialog it reloads instead (Refresh). A field left as shown keeps the
// joint's own value.
class JointPropertiesEditor {
public:
    explicit JointPropertiesEditor(DialogControls& controls) : c_(controls) {}
    // Creation: the picked joint, labels and shown controls. False when the
    // model has no joint.
    bool Create();
    // Shown by a pick: the picked joint, and the Properties tool stays on.
    void ShowForPick();
    bool Ok();  // true: the window closes
    void Cancel();
    void Apply();
    void Previous();
    void Next();
    void AddJoint();
    void ShowTyped();  // Enter: show the joint whose number is typed
    // When the tables changed since the joint was loaded: reloads the row
    // (kept within the live rows). False when no joint is left: the window
    // closes.
    bool Refresh();
    int Number() const { return n_; }

private:
    bool Exchange(bool save);
    void Load(int n);
    bool Store();
    bool TablesChanged() const;
    void Step(int delta);
    void ListsChanged();

    DialogControls& c_;
    short n_ = 0;      // the joint shown
    short typed_ = 0;  // the number field as read
    float x_ = 0, y_ = 0, z_ = 0;
    float shown_[3] = {};  // the coordinates as shown
    int restraint_[6] = {};
    int mark_ = 0;
    float force_[3] = {};
    int translated_[3] = {};
    float x0_ = 0, y0_ = 0, z0_ = 0;
    float origin_[3] = {};  // the origin the coordinates were shown against
    // What the loaded row held, and the joint count then.
    int loadedRow_ = 0;
    short loadedCount_ = 0;
    JointRec loaded_;
};

// Member Properties, stored as Joint Properties are.
class MemberPropertiesEditor {
public:
    explicit MemberPropertiesEditor(DialogControls& controls) : c_(controls) {}
    bool Create();
    void ShowForPick();
    bool Ok();
    void Cancel();
    void Apply();
    void Previous();
    void Next();
    void ShowTyped();  // Enter: show the member whose number is typed
    // The shape or material combo changed: the member takes it at once.
    void ShapeChanged();
    void MaterialChanged();
    bool Refresh();
    int Number() const { return m_; }

private:
    bool Exchange(bool save);
    void Load(int m);
    bool Store();
    bool TablesChanged() const;
    void Step(int delta);
    void ListsChanged();
    void Remember();

    DialogControls& c_;
    short m_ = 0;      // the member shown
    short typed_ = 0;  // the number field as read
    int torsion_ = 0, moments_[4] = {};
    float effZZ_ = 0, effYY_ = 0;
    int udZZ_ = 0, udYY_ = 0;
    float roll_ = 0, offsetY_ = 0, offsetZ_ = 0;
    float shownRoll_ = 0;
    int hide_ = 0, negate_ = 0, runner_ = 0;
    int loadedRow_ = 0;
    short loadedCount_ = 0;
    MemberRec loaded_;
};

// Default Member Properties.
class DefaultMemberEditor {
public:
    explicit DefaultMemberEditor(DialogControls& controls) : c_(controls) {}
    void Init();
    bool Ok();
    void Reset();
    void SelectionChanged();

private:
    void ShowRows();

    DialogControls& c_;
    float rotation_ = 0, offsetY_ = 0, offsetZ_ = 0;
};

// "Create Joint in Member": the fraction along the member in percent.
class SplitPercentEditor {
public:
    SplitPercentEditor(DialogControls& controls, float fraction) : c_(controls), fraction_(fraction) {}
    void Init();
    bool Ok();  // true with Fraction() taken from the entry
    float Fraction() const { return fraction_; }

private:
    DialogControls& c_;
    float fraction_;
};

// The names of shape or material rows 1..10, for the combos.
std::vector<std::string> ShapeNames();
std::vector<std::string> MaterialNames();
