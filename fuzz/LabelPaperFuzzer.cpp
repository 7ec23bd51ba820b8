// Fuzzes the label-paper file ("labels.ini"): the bytes through the reader,
// the choices made valid, every pair of papers planned onto the layout, and
// the list written and read back. A damaged file is refused with a reason; a
// read one must write back to bytes that read the same.
#include "printing/LabelTemplateFile.h"
#include "printing/PageLayoutPlan.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void Check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

// Plans the layout onto a pair of papers in every state of the layout.
void PlanPair(const CLabelDim& disc, const CLabelDim& jewel)
{
    for (int state = 0; state < 8; ++state) {
        const LayoutState layout{(state & 1) != 0, (state & 2) != 0, (state & 4) != 0};
        for (const PaperAssignment& assignment : PlanPageLayout(disc, jewel, layout)) {
            Check(!assignment.object.IsEmpty() && !assignment.key.IsEmpty(), "an assignment names a row");
            (void)IsAssignmentInPlace(assignment, assignment.value);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    LabelTemplateFile::ReadResult read = LabelTemplateFile::FromBytes(data, size);
    if (read.status != LabelTemplateFile::ReadStatus::Read) {
        Check(!read.problem.empty(), "a damaged file says what is wrong");
        Check(read.list.templates.empty(), "a damaged file gives no papers");
        return 0;
    }

    LabelTemplateList& list = read.list;
    const std::vector<BYTE> bytes = LabelTemplateFile::ToBytes(list);
    const LabelTemplateFile::ReadResult again = LabelTemplateFile::FromBytes(bytes.data(), bytes.size());
    Check(again.status == LabelTemplateFile::ReadStatus::Read, "a list written reads back");
    Check(LabelTemplateFile::ToBytes(again.list) == bytes, "a list reads back as written");

    ValidateTemplateChoices(list);
    const int count = static_cast<int>(list.templates.size());
    Check(list.discTemplate >= 0 && list.discTemplate < count, "the disc choice names a paper");
    Check(list.jewelTemplate >= 0 && list.jewelTemplate < count, "the jewel choice names a paper");
    Check(list.templates[static_cast<size_t>(list.discTemplate)]->m_nType == CLabelDim::kDiscLabels,
          "the disc choice is disc-label paper");
    Check(list.templates[static_cast<size_t>(list.jewelTemplate)]->m_nType == CLabelDim::kJewelCase,
          "the jewel choice is jewel-case paper");

    const LabelTemplateList copy = list.Clone();
    Check(LabelTemplateFile::ToBytes(copy) == LabelTemplateFile::ToBytes(list), "a copy is the same list");
    // Every disc paper with the chosen jewel paper, and the chosen disc paper
    // with every jewel paper, as the Label Paper dialog lets the user pick them.
    for (const auto& paper : list.templates) {
        if (paper->m_nType == CLabelDim::kDiscLabels)
            PlanPair(*paper, *list.templates[static_cast<size_t>(list.jewelTemplate)]);
        else if (paper->m_nType == CLabelDim::kJewelCase)
            PlanPair(*list.templates[static_cast<size_t>(list.discTemplate)], *paper);
    }
    return 0;
}
