// bench_document: writes the label the idle benchmark opens.
//
//   bench_document PATH [--picture SIZE]
//       the view benchmark's single layout (a 20-track album, a SIZE x SIZE
//       photo, default 3000, as the background of the back cover and the
//       disc) whose front cover holds one title over its whole outside and
//       nothing else, so that a click there selects a text and a click on the
//       front cover's other half selects the cover itself.
#include "BenchLabel.h"
#include "BenchPicture.h"
#include "ScratchSettings.h"

#include "document/Quorbel6Doc.h"
#include "imaging/xImage.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

int main(int argc, char** argv)
{
    const char* path = nullptr;
    int pictureSize = 3000;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--picture") == 0 && i + 1 < argc)
            pictureSize = std::atoi(argv[++i]);
        else
            path = argv[i];
    }
    if (!path || pictureSize < 1) {
        std::fprintf(stderr, "usage: bench_document PATH [--picture SIZE]\n");
        return 2;
    }
    ScratchSettings scratch("BenchDocument");
    auto picture = std::make_unique<CxImage>();
    if (!MakePhotoLikePicture(*picture, pictureSize, pictureSize)) {
        std::printf("cannot make a %d x %d picture\n", pictureSize, pictureSize);
        return 1;
    }
    CQuorbel6Doc document;
    CLabelModel& model = document.LabelModel();
    BuildBenchLabel(model, "Single", std::move(picture));
    RemoveObjectsOfSurface(model, "Front Cover");
    AddOutsideTitle(model);
    model.Shown().surface = "Front Cover";
    document.SetPathName(path, FALSE);
    if (!document.SaveDocumentFile()) {
        std::printf("cannot write %s\n", path);
        return 1;
    }
    std::printf("wrote %s\n", path);
    return 0;
}
