#pragma once
// What the label alignment wizard does to the template it edits, without its
// window: the six values and their bounds, the spin steps, the pages, paper
// size, orientation and fold choices, and the name of a new template.

#include "framework/String.h"
#include "label/LabelDim.h"

#include <memory>
#include <vector>

// The six values the wizard edits, by the key the clamp knows them by.
enum class WizardValue
{
    Left1,   // "left1"
    Top1,    // "top1"
    Left2,   // "left2"
    Top2,    // "top2"
    Width1,  // "width1": the outer diameter of both discs
    Height1, // "height1": the hole of both discs
};

class AlignWizardRules
{
public:
    static constexpr int kMinOuterDiameter = 3000;
    static constexpr int kMaxOuterDiameter = 5000;
    static constexpr int kMinHole = 600;
    static constexpr int kMaxHole = 2000;
    static constexpr int kInchStep = 10;  // 0.010 in per spin click
    static constexpr SIZE kLetter = {8500, 11000};
    static constexpr SIZE kA4 = {8268, 11693};

    // `frontSide`: for jewel-case paper on two sheets, true shows the front
    // cover's sheet (sheet 1), false the back cover's (sheet 2).
    AlignWizardRules(const CLabelDim& paper, bool frontSide, bool inches);

    const CLabelDim& Paper() const { return m_paper; }
    CLabelDim& Paper() { return m_paper; }
    bool IsJewelCase() const { return m_paper.m_nType == CLabelDim::kJewelCase; }
    bool CoversShareASheet() const { return m_paper.m_nPage1 == m_paper.m_nPage2; }
    // The side shown; always the front when both covers share a sheet.
    bool FrontSide() const { return m_frontSide || !IsJewelCase() || CoversShareASheet(); }
    void SetFrontSide(bool front) { m_frontSide = front; }
    bool Inches() const { return m_inches; }
    void SetInches(bool inches) { m_inches = inches; }

    int Value(WizardValue which) const;
    // Stores the value in its field (both discs' for the diameters) and keeps it on the sheet.
    void SetValue(WizardValue which, int value);
    // Keeps the value's part on its sheet and inside its bounds; true when it changed a field.
    bool ClampValue(WizardValue which);
    // The value in the current unit: "1.250 ''" or "31.8 mm".
    CString ValueText(WizardValue which) const;
    // Reads an edit's text in the current unit, stores and clamps it.
    void ReadValueText(WizardValue which, const CString& text);
    // One click of an up-down control; a negative delta moves up.
    void Spin(WizardValue which, int delta);

    // The sheet shown: sheet 1 on the front side, else sheet 2.
    SIZE ShownSheet() const;
    // Pages: 1 puts both covers on page 2, 2 the back cover on page 3. False
    // when that was already so.
    bool ChoosePages(int pages);
    // Paper size entry 0 Letter, 1 A4, for the shown sheet in its orientation.
    void ChoosePaperSize(int entry);
    // Orientation of the shown sheet; the paper size stays the one chosen.
    void ChooseOrientation(bool landscape);
    void ChooseFolded(bool folded);
    // The paper-size entry for the shown sheet: Letter when a side is 11000, else A4.
    int PaperSizeEntry() const;
    // The window caption for the paper and side.
    CString Caption() const;

private:
    // Pulls both covers of a jewel case back onto the sheets they lie on.
    void KeepPartsOnTheirSheets();
    int& SheetWidthFor(bool front);
    int& SheetHeightFor(bool front);

    CLabelDim m_paper;
    bool m_frontSide;
    bool m_inches;
};

// The name of a new template made from one of that kind: "Custom Jewel Case n"
// or "Custom Disc Label n", n one above the highest n among the names that
// begin with that base.
CString NewCustomTemplateName(const std::vector<std::unique_ptr<CLabelDim>>& templates, int kind);

// Keys of the values as the wizard's edits know them.
const char* WizardValueKey(WizardValue which);
