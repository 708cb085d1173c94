// What qzdbs and its picture module agree on: the module's two entry points
// and the kinds of picture. Both sides are built from the same sources by the
// same compiler, so the document passes between them as it is.
#pragma once

#include <cstddef>

namespace qzdbs::server {
struct Document;
}

namespace qzdbs::cli {

enum class ImageKind { Svg = 0, Png = 1, Pdf = 2 };

// The module's file name, looked for beside the program, then in
// ../lib/qzdbs beside it.
inline constexpr const char* kImageModule = "qzdbs-images.so";

using PrepareImagesFunction = void (*)();
// 1 when written; 0 with the reason in `error`.
using WriteImageFunction = int (*)(const qzdbs::server::Document* document, int kind,
                                   const char* file, int pixels, char* error, size_t errorSize);

}  // namespace qzdbs::cli
